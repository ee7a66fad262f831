// Save, Open and New plan, driven through the main window with scripted file
// dialogs and temporary folders.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <sys/stat.h>
#include <unistd.h>

#include "app/kmain.h"
#include "dialogs/kcnew.h"
#include "engine/numbers.h"
#include "plan/plan_file.h"
#include "tests/app/window_fixture.h"
#include "tests/support/form_places.h"
#include "ui/selection_list.h"
#include "view/stack_drawing.h"

using namespace varnel;
using namespace varnel::test_support;

namespace {

const QString prefix = QString::fromUtf8("集装箱Varnel软件     *version 1.03*--------");

void calculate_worked_example(kmain& w) {
    type_worked_example(w);
    w.start_calculation();
}

void write_file(const QString& path, const std::string& bytes) {
    QVERIFY(!save_file_atomically(path, bytes).has_value());
}

std::string header() { return "\r\n\r\nVarnel\r\n***\r\n\r\nload_team()\r\n"; }
std::string second() { return "\r\n\r\n\r\n@@@\r\nload_team_atu()\r\n"; }
std::string block(const char* index, const char* count_x = " 3 ") {
    std::string b = std::string("########\r\n") + index + "\r\n";
    for (const char* v : {" 600 ", " 850 ", " 400 ", " 0 ", " 1 ", " 350 ", " 2600 ", " 2350 ",
                          " 5900 ", " 2390 ", " 1 ", " 0 "}) {
        b += std::string(v) + "\r\n";
    }
    return b + count_x + "\r\n 6 \r\n 5 \r\n\r\n";
}

std::string huge_boxes(std::string b) { return b.replace(b.find(" 600 "), 5, " 3E+38 "); }

// Answers the New plan dialog once it shows: the name to type (none: leave
// the field as it is) and the button to press (or the close box).
enum class press { ok, cancel, close };
void answer_new_plan(const char* name, press button) {
    QTimer::singleShot(0, [name, button] {
        auto* dialog = qobject_cast<kcnew*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (name) dialog->name_field->setText(QString::fromUtf8(name));
        switch (button) {
            case press::ok: dialog->ok_button->click(); break;
            case press::cancel: dialog->cancel_button->click(); break;
            case press::close: dialog->close(); break;
        }
    });
}

}  // namespace

class plan_document_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { apply_look(*qApp); }

    void save_then_open_restores_the_plan() {
        QTemporaryDir dir;
        const QString path = dir.filePath(q("方案 1.qrn"));
        window_fixture f;
        kmain& w = f.w();
        calculate_worked_example(w);
        const load_model saved = w.model();
        const QString title = w.windowTitle();
        f.prompts.file_names.push_back(path);
        parts(w).ksave->trigger();
        QCOMPARE(w.windowTitle(), title);  // saving leaves the title alone
        QCOMPARE(f.prompts.log.back().what, scripted_prompts::exchange::save_file);
        QCOMPARE(f.prompts.log.back().text, q("Varnel文件(*.qrn)"));
        QCOMPARE(f.prompts.log.back().suggested, q("Varnel文件1"));

        w.reset_plan();
        parts(w).single_placement->setChecked(true);
        f.prompts.file_names.push_back(path);
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList());
        QCOMPARE(f.prompts.log.back().what, scripted_prompts::exchange::open_file);
        QCOMPARE(f.prompts.log.back().text,
                 q("Varnel方案(*.qrn *.qrm);;Varnel文件(*.qrn);;Varnel混装方案(*.qrm)"));
        QCOMPARE(f.prompts.log.back().suggested, q("Varnel文件1"));
        for (int i = 0; i < 5; ++i) {
            const auto k = static_cast<std::size_t>(i);
            QCOMPARE(w.model().stacks[k].count_y, saved.stacks[k].count_y);
            QCOMPARE(format_number(w.model().stacks[k].origin_x),
                     format_number(saved.stacks[k].origin_x));
            QCOMPARE(format_number(w.model().draw_stacks[k].box_width),
                     format_number(saved.draw_stacks[k].box_width));
        }
        QCOMPARE(parts(w).container_length->text(), q("590"));
        QCOMPARE(parts(w).container_width->text(), q("235"));
        QCOMPARE(parts(w).container_height->text(), q("239"));
        QCOMPARE(parts(w).container_list->background(), QColor(128, 128, 128));
        QCOMPARE(parts(w).carton_length->text(), q("60"));
        QCOMPARE(parts(w).carton_width->text(), q("85"));
        QCOMPARE(parts(w).carton_height->text(), q("40"));
        QCOMPARE(parts(w).utilisation_text->text(), q("集装箱的利用效率：80.03%"));
        QCOMPARE(parts(w).arrangement_text->text(), q("分5堆摆放共放130个包装箱"));
        QCOMPARE(w.windowTitle(), prefix + path);
        QVERIFY(parts(w).single_placement->isChecked());
        // Drawn without the outline over the stacks, and the walk works.
        drawing_area expected;
        draw_first_stacks(expected, w.model().draw_stacks, 5);
        QVERIFY(same_pixels(parts(w).drawing->pixels(), expected.pixels()));
        QTest::mouseClick(parts(w).draw_button, Qt::LeftButton);
        QCOMPARE(parts(w).stack_text->text(), q("显示第1堆包装箱"));

        // The next save suggests the opened file's full path.
        f.prompts.file_names.push_back({});
        parts(w).kbsave->trigger();
        QCOMPARE(f.prompts.log.back().suggested, path);
    }

    void a_three_stack_plan_makes_a_file_of_119_lines() {
        QTemporaryDir dir;
        window_fixture f;
        type_sizes(f.w(), "170", "150", "240", "65", "50", "20");
        f.w().start_calculation();
        QCOMPARE(stack_count(f.w().model().stacks), 3);
        f.prompts.file_names.push_back(dir.filePath(q("three.qrn")));
        QTest::mouseClick(parts(f.w()).save_button, Qt::LeftButton);
        const std::string bytes = read_whole_file(dir.filePath(q("three.qrn"))).bytes;
        QCOMPARE(std::count(bytes.begin(), bytes.end(), '\n'), 119);
    }

    // A name typed without a suffix is saved as a plan file the open
    // dialog's filter shows; the overwrite question asks of that file.
    void the_saved_name_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("existing");  // a file there before, if any
        QTest::addColumn<bool>("overwrite");    // the answer to the question
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("plan_in");  // the file that holds the plan after it
        QTest::newRow("no suffix") << q("装运40尺") << QString() << false
                                   << QStringList{q("装运40尺.qrn")} << q("装运40尺.qrn");
        QTest::newRow("no suffix, the plan file there, kept")
            << q("装运40尺") << q("装运40尺.qrn") << false << QStringList{q("装运40尺.qrn")}
            << QString();
        QTest::newRow("no suffix, the plan file there, overwritten")
            << q("装运40尺") << q("装运40尺.qrn") << true << QStringList{q("装运40尺.qrn")}
            << q("装运40尺.qrn");
        QTest::newRow("a file without suffix there is not asked of")
            << q("装运40尺") << q("装运40尺") << false
            << QStringList{q("装运40尺"), q("装运40尺.qrn")} << q("装运40尺.qrn");
        QTest::newRow("another suffix")
            << q("plan.txt") << QString() << false << QStringList{q("plan.txt")} << q("plan.txt");
    }
    void the_saved_name() {
        QFETCH(QString, typed);
        QFETCH(QString, existing);
        QFETCH(bool, overwrite);
        QFETCH(QStringList, files);
        QFETCH(QString, plan_in);
        QTemporaryDir dir;
        if (!existing.isEmpty()) write_file(dir.filePath(existing), "old");
        window_fixture f;
        calculate_worked_example(f.w());
        f.prompts.file_names.push_back(dir.filePath(typed));
        f.prompts.questions.push_back(overwrite);
        parts(f.w()).ksave->trigger();
        const bool asked = f.prompts.log.back().what == scripted_prompts::exchange::question;
        QCOMPARE(asked, existing.endsWith(q(".qrn")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
        for (const QString& file : files) {
            const bool plan = read_whole_file(dir.filePath(file)).bytes != "old";
            QCOMPARE(plan, file == plan_in);
        }
    }

    void save_refusals_and_cancels() {
        QTemporaryDir dir;
        const QString path = dir.filePath(q("old.qrn"));
        write_file(path, "old bytes");
        window_fixture f;
        kmain& w = f.w();

        parts(w).ksave->trigger();  // nothing calculated yet
        QCOMPARE(f.prompts.messages(), QStringList{q("没有计算结果")});
        QCOMPARE(f.prompts.log.size(), 1u);

        calculate_worked_example(w);
        f.prompts.clear();
        parts(w).ksave->trigger();  // the dialog is cancelled
        QCOMPARE(f.prompts.log.size(), 1u);

        f.prompts.file_names.push_back(path);
        f.prompts.questions.push_back(false);  // do not overwrite
        parts(w).ksave->trigger();
        QCOMPARE(f.prompts.log.back().text, q("该文件已经存在，是否要覆盖原文件？"));
        QCOMPARE(read_whole_file(path).bytes, std::string("old bytes"));

        f.prompts.file_names.push_back(path);
        f.prompts.questions.push_back(true);
        parts(w).ksave->trigger();
        QVERIFY(read_whole_file(path).bytes.starts_with("\r\n\r\nVarnel"));
        QVERIFY(f.prompts.messages().isEmpty());
    }

    void a_save_that_cannot_be_written_says_so_and_loses_nothing() {
        QTemporaryDir dir;
        window_fixture f;
        kmain& w = f.w();
        calculate_worked_example(w);
        const QString plain = dir.filePath(q("plain.qrn"));
        write_file(plain, "kept");
        // Below a plain file, onto a folder, into a FIFO nobody reads (at
        // once, not waiting): none can become a plan, none is replaced.
        const QString fifo = dir.filePath(q("pipe.qrn"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& target : {plain + q("/inner.qrn"), dir.path(), fifo}) {
            f.prompts.clear();
            f.prompts.file_names.push_back(target);
            f.prompts.questions.push_back(true);
            parts(w).ksave->trigger();
            QCOMPARE(f.prompts.messages(), QStringList{q("文件保存出错，操作无法完成")});
        }
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QCOMPARE(read_whole_file(plain).bytes, std::string("kept"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{q("plain.qrn")});

        // A folder the user may not write to keeps its old plan intact.
        if (geteuid() == 0) QSKIP("folder permissions do not bind the superuser");
        QTemporaryDir locked;
        const QString old = locked.filePath(q("old.qrn"));
        write_file(old, "old plan");
        QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::ExeOwner);
        f.prompts.clear();
        f.prompts.file_names.push_back(old);
        f.prompts.questions.push_back(true);
        parts(w).ksave->trigger();
        QCOMPARE(f.prompts.messages(), QStringList{q("文件保存出错，操作无法完成")});
        QCOMPARE(read_whole_file(old).bytes, std::string("old plan"));
        QFile::setPermissions(locked.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void open_cancelled_or_missing_changes_nothing() {
        window_fixture f;
        kmain& w = f.w();
        calculate_worked_example(w);
        const load_model before = w.model();
        parts(w).kbopen->trigger();  // cancelled
        f.prompts.file_names.push_back(q("/no/such/folder/plan.qrn"));
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList{q("查找不到文件")});
        QCOMPARE(w.model().stacks, before.stacks);
        QCOMPARE(parts(w).utilisation_text->text(), q("集装箱的利用效率：80.03%"));
    }

    void damaged_files_give_their_message_at_the_right_moment_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("shown");  // is the plan displayed when the message appears?
        const struct {
            const char* name;
            std::string bytes;
            const char* message;
            bool shown;
        } cases[] = {
            {"header only", header(), "文件读取出错，操作无法完成", false},
            {"ends at the second section", header() + block(" 0 ") + second(),
             "文件读取出错，操作无法完成", false},
            {"no stack in the second section", header() + block(" 0 ") + second() + "\r\n",
             "文件读取出错，操作无法完成", false},
            {"no stack in the first section", header() + second() + block(" 0 "),
             "文件读取出错，操作无法完成", false},
            {"a carton of 1e400", header() + block(" 0 ") + second() + block(" 0 ", " 1e400 "),
             "文件打开出错", true},
            {"index 40", header() + block(" 0 ") + second() + block(" 0 ") + block(" 40 "),
             "文件打开出错", true},
            {"a bad number", header() + block(" 0 ") + second() + block(" 0 ", " 3x "),
             "文件打开出错", true},
            {"huge numbers", header() + block(" 0 ", " 1e39 ") + second() + block(" 0 ", " 32768 "),
             "文件打开出错", true},
            // Cartons of 3E+38 units: their grid lies beyond any float.
            {"a drawing too large", header() + huge_boxes(block(" 0 ")) + second() + block(" 0 "),
             "文件打开出错", true},
        };
        for (const auto& c : cases) {
            QTest::newRow(c.name) << QByteArray::fromStdString(c.bytes) << q(c.message) << c.shown;
        }
    }

    void damaged_files_give_their_message_at_the_right_moment() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(bool, shown);
        QTemporaryDir dir;
        const QString path = dir.filePath(q("damaged.qrn"));
        write_file(path, bytes.toStdString());
        window_fixture f;
        kmain& w = f.w();
        calculate_worked_example(w);
        QString text_when_shown;
        f.prompts.on_message = [&](const QString&) {
            text_when_shown = parts(w).utilisation_text->text();
        };
        f.prompts.file_names.push_back(path);
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList{message});
        QCOMPARE(text_when_shown.isEmpty(), !shown);
        if (shown) {
            QCOMPARE(w.windowTitle(), prefix + path);
            return;
        }
        // Nothing of a refused file remains: no stack to draw, nothing to save.
        QCOMPARE(w.windowTitle(), prefix + q("Varnel文件1"));
        QCOMPARE(stack_count(w.model().draw_stacks), 0);
        QCOMPARE(stack_count(w.model().stacks), 0);
        QVERIFY(parts(w).carton_length->text().isEmpty());
        f.prompts.clear();
        QTest::mouseClick(parts(w).draw_button, Qt::LeftButton);
        QVERIFY(parts(w).stack_text->text().isEmpty());
        parts(w).ksave->trigger();
        QCOMPARE(f.prompts.messages(), QStringList{q("没有计算结果")});
    }

    // Only a plain file is opened: a FIFO would freeze the window waiting for
    // a writer. Anything else is refused at once and the plan stays.
    void open_reads_only_plain_files_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a FIFO") << q("fifo");
        QTest::newRow("a folder") << q("folder");
        QTest::newRow("a device") << q("device");
    }

    void open_reads_only_plain_files() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString path = dir.path();
        if (kind == q("fifo")) {
            path = dir.filePath(q("pipe.qrn"));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == q("device")) {
            path = q("/dev/zero");
        }
        window_fixture f;
        kmain& w = f.w();
        calculate_worked_example(w);
        f.prompts.file_names.push_back(path);
        parts(w).kopen->trigger();
        QCOMPARE(f.prompts.messages(), QStringList{q("文件打开出错")});
        QCOMPARE(parts(w).utilisation_text->text(), q("集装箱的利用效率：80.03%"));
        QCOMPARE(stack_count(w.model().stacks), 5);
    }

    void new_plan_titles() {
        window_fixture f;
        kmain& w = f.w();
        QStringList titles;
        for (int i = 0; i < 3; ++i) {
            answer_new_plan(nullptr, press::cancel);
            parts(w).knew->trigger();
            titles << w.plan_label();
        }
        answer_new_plan("方案A", press::ok);
        parts(w).kbnew->trigger();
        titles << w.plan_label();
        answer_new_plan("   ", press::ok);
        parts(w).knew->trigger();
        titles << w.plan_label();
        answer_new_plan(nullptr, press::cancel);
        parts(w).knew->trigger();
        titles << w.plan_label();
        answer_new_plan("ignored", press::close);
        parts(w).knew->trigger();
        titles << w.plan_label();
        QCOMPARE(titles, QStringList({q("Varnel文件2"), q("Varnel文件3"), q("Varnel文件4"),
                                      q("方案A"), q("   "), q("Varnel文件5"), q("Varnel文件5")}));
        QVERIFY(f.prompts.log.empty());

        // Qt's "modified" mark [*] is the user's text here, shown as typed.
        w.show();
        for (const char* name : {"方案[*]", "[*][*]x[*]"}) {
            answer_new_plan(name, press::ok);
            parts(w).knew->trigger();
            QCOMPARE(w.plan_label(), q(name));
            QCOMPARE(w.windowHandle()->title(), prefix + q(name));
        }
    }

    void new_plan_resets_the_plan_whatever_the_answer_data() {
        QTest::addColumn<int>("button");  // a press
        QTest::newRow("OK") << int(press::ok);
        QTest::newRow("Cancel") << int(press::cancel);
        QTest::newRow("the close box") << int(press::close);
    }

    void new_plan_resets_the_plan_whatever_the_answer() {
        QFETCH(int, button);
        window_fixture f;
        kmain& w = f.w();
        calculate_worked_example(w);
        answer_new_plan("方案B", static_cast<press>(button));
        parts(w).knew->trigger();
        QCOMPARE(stack_count(w.model().stacks), 0);
        QVERIFY(parts(w).carton_length->text().isEmpty());
        QVERIFY(parts(w).utilisation_text->text().isEmpty());
        QCOMPARE(parts(w).container_list->currentText(), q("40尺柜"));
    }

    void new_plan_dialog_places_data() {
        test_support::place_columns();
        test_support::place_row("prompt_label", "", {39, 19, 126, 14}, "请输入新建文件名：");
        test_support::place_row("name_field", "", {12, 43, 219, 23});
        test_support::place_row("ok_button", "", {11, 84, 102, 25}, "确　　定");
        test_support::place_row("cancel_button", "", {127, 84, 102, 25}, "取　　消");
    }

    void new_plan_dialog_places() {
        scripted_prompts prompts;
        kcnew dialog(prompts);
        test_support::check_place(dialog);
    }

    void new_plan_asks_for_a_name_before_accepting_an_empty_one() {
        scripted_prompts prompts;
        kcnew dialog(prompts);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), q("新建文件"));
        QCOMPARE(dialog.size(), QSize(242, 127));
        QCOMPARE(dialog.prompt_label->text(), q("请输入新建文件名："));
        QCOMPARE(dialog.prompt_label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(dialog.ok_button->text(), q("确　　定"));
        QCOMPARE(dialog.cancel_button->text(), q("取　　消"));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
        dialog.ok_button->click();
        QCOMPARE(prompts.messages(), QStringList{q("请输入新建文件名")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result_outcome(), kcnew::outcome::closed);
    }

    // Enter in the name field presses OK, so an empty name still gets its
    // message; on a focused Cancel it cancels.
    void enter_presses_the_default_button_of_the_new_plan_dialog_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("on_cancel");
        QTest::addColumn<int>("outcome");  // a kcnew::outcome
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("a name") << q("方案C") << false << int(kcnew::outcome::named)
                                << QStringList{};
        QTest::newRow("no name") << QString() << false << int(kcnew::outcome::closed)
                                 << QStringList{q("请输入新建文件名")};
        QTest::newRow("on Cancel")
            << q("方案C") << true << int(kcnew::outcome::numbered) << QStringList{};
    }

    void enter_presses_the_default_button_of_the_new_plan_dialog() {
        QFETCH(QString, name);
        QFETCH(bool, on_cancel);
        QFETCH(int, outcome);
        QFETCH(QStringList, messages);
        scripted_prompts prompts;
        kcnew dialog(prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.name_field->setText(name);
        QWidget* target = dialog.name_field;
        if (on_cancel) target = dialog.cancel_button;
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(int(dialog.result_outcome()), outcome);
        QCOMPARE(prompts.messages(), messages);
        QCOMPARE(dialog.isVisible(), outcome == int(kcnew::outcome::closed));
    }

    void plan_numbers_count_on_past_sixteen_bits() {
        window_fixture f;
        kmain& w = f.w();
        w.set_plan_number(32767);
        answer_new_plan(nullptr, press::cancel);
        parts(w).knew->trigger();
        QCOMPARE(w.plan_label(), q("Varnel文件32768"));
    }
};

QTEST_MAIN(plan_document_test)
#include "plan_document_test.moc"
