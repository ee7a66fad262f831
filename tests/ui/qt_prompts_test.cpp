#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "ui/qt_prompts.h"
#include "ui/translation.h"

namespace varnel {

// Runs `look` on the dialog the next exchange shows, then closes it.
template <class Dialog>
void on_next_dialog(std::function<void(Dialog&)> look) {
    QTimer::singleShot(0, [look = std::move(look)] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            look(*dialog);
        } else {
            QTest::qFail("not the dialog expected", __FILE__, __LINE__);
        }
        if (modal) modal->reject();
    });
}

class qt_prompts_test : public QObject {
    Q_OBJECT

private slots:
    // A missing translation leaves Qt's English in place and stops nothing;
    // the program's own start-up then installs the real one.
    void initTestCase() {
        QTemporaryDir empty;
        const QString ok = QCoreApplication::translate("QPlatformTheme", "OK");
        QVERIFY(!install_qt_chinese(*qApp, empty.path()));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), ok);
        QVERIFY(install_qt_chinese(*qApp));
    }

    // Qt's own buttons speak the program's language.
    void boxes_and_file_dialogs_read_in_chinese() {
        qt_prompts prompts;
        on_next_dialog<QMessageBox>([](QMessageBox& box) {
            QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
            QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        });
        prompts.question(QStringLiteral("该文件已经存在，是否要覆盖原文件？"));
        on_next_dialog<QFileDialog>([](QFileDialog& dialog) {
            QStringList buttons;
            for (QAbstractButton* b : dialog.findChild<QDialogButtonBox*>()->buttons()) {
                buttons << b->text().remove(QLatin1Char('&'));
            }
            buttons.sort();
            QCOMPARE(buttons, (QStringList{QStringLiteral("保存(S)"), QStringLiteral("取消")}));
            QCOMPARE(dialog.windowTitle(), QStringLiteral("另存为"));
        });
        prompts.save_file_name(QStringLiteral("Varnel文件(*.qrn)"), QStringLiteral("Varnel文件1"));
        on_next_dialog<QFileDialog>([](QFileDialog& dialog) {
            QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("打开"));
        });
        QCOMPARE(prompts.open_file_name(QStringLiteral("Varnel文件(*.qrn)"), QString()), QString());
    }

    // A message has OK only, no icon and the program's title; a question
    // has OK and Cancel and the question icon. Both show names as typed.
    void boxes_show_their_text_as_typed_data() {
        QTest::addColumn<bool>("question");
        QTest::addColumn<int>("icon");     // a QMessageBox::Icon
        QTest::addColumn<int>("buttons");  // QMessageBox::StandardButtons
        QTest::newRow("message") << false << int(QMessageBox::NoIcon) << int(QMessageBox::Ok);
        QTest::newRow("question") << true << int(QMessageBox::Question)
                                  << int(QMessageBox::Ok | QMessageBox::Cancel);
    }

    void boxes_show_their_text_as_typed() {
        QFETCH(bool, question);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        qt_prompts prompts;
        const QString name = QStringLiteral("确实要删除“A<b>B&lt;”吗？");
        on_next_dialog<QMessageBox>([&](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), QStringLiteral("集装箱Varnel软件"));
            QCOMPARE(int(box.icon()), icon);
            QCOMPARE(int(box.standardButtons()), buttons);
            QCOMPARE(box.textFormat(), Qt::PlainText);
            QCOMPARE(box.text(), name);
        });
        if (question) {
            QVERIFY(!prompts.question(name));
        } else {
            prompts.message(name);
        }
    }

    // The save dialog adds no suffix and asks nothing about overwriting: the
    // window asks its own question.
    void the_save_dialog_leaves_the_name_and_the_question_to_the_caller() {
        qt_prompts prompts;
        on_next_dialog<QFileDialog>([](QFileDialog& dialog) {
            QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
            QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
            QCOMPARE(dialog.defaultSuffix(), QString());
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
            QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("Varnel文件(*.qrn)")});
            // Without the blank the pattern is still found and filters the list.
            QCOMPARE(dialog.findChild<QFileSystemModel*>()->nameFilters(),
                     QStringList{QStringLiteral("*.qrn")});
        });
        QCOMPARE(
            prompts
                .save_file_name(QStringLiteral("Varnel文件(*.qrn)"), QStringLiteral("Varnel文件1"))
                .name,
            QString());
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::qt_prompts_test)
#include "qt_prompts_test.moc"
