#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "help/about_picture.h"
#include "help/about_window.h"
#include "help/explanation_window.h"
#include "tests/support/form_places.h"
#include "tests/support/scripted_prompts.h"
#include "ui/link_label.h"
#include "ui/look.h"

namespace varnel {

using test_support::check_place;
using test_support::fit;
using test_support::place_columns;
using test_support::place_row;

namespace {

bool has_maximise(const QWidget& w) { return w.windowFlags() & Qt::WindowMaximizeButtonHint; }
bool has_minimise(const QWidget& w) { return w.windowFlags() & Qt::WindowMinimizeButtonHint; }

void hover(QWidget* widget, QPoint at) {
    QEnterEvent enter(at, widget->mapTo(widget->window(), at), widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &enter);
}

void move_over(QWidget* window, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
}

int pixels_of(const QImage& image, const QColor& colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    }
    return n;
}

// Whether `part` appears, pixel for pixel, somewhere in `image`.
bool contains_image(const QImage& image, const QImage& part) {
    for (int y = 0; y + part.height() <= image.height(); ++y) {
        for (int x = 0; x + part.width() <= image.width(); ++x) {
            if (image.copy(x, y, part.width(), part.height()) == part) return true;
        }
    }
    return false;
}

// The smallest part of `image` holding every pixel unlike its corner.
QImage ink(const QImage& image) {
    const QRgb paper = image.pixel(0, 0);
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != paper) box |= QRect(x, y, 1, 1);
        }
    }
    return image.copy(box);
}

}  // namespace

class help_windows_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // The program's look, so text is measured as users see it.
        apply_look(*qApp);
    }

    void the_explanation_window() {
        kjisuanshouming window;
        QCOMPARE(window.windowTitle(), QString("计算说明"));
        QCOMPARE(window.size(), QSize(353, 248));
        QVERIFY(!has_maximise(window));
        QVERIFY(has_minimise(window));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(224, 224, 224));

        const explanation_picture* picture = window.picture();
        QCOMPARE(picture->header(), (QStringList{"计算说明", "集装箱Varnel软件"}));
        QCOMPARE(
            picture->paragraphs(),
            (QStringList{"第一步：选择集装箱类形，或者直接输入集装箱的尺寸。",
                         "第二步：输入包装箱尺寸，包装箱的长、宽、高三个尺寸都要求大于15cm。",
                         "第三步：根据用户需要点选“单一摆放”和“不可侧放”复先框。如果用户选择了“单一"
                         "摆放”，则所有的包装箱都以同一种方式摆放；如果用户选择了“不可侧放”，则所有"
                         "的包装箱的顶面都朝上。",
                         "第四步：点击“开始计算”，即可得到计算结果。"}));
        QVERIFY2(picture->text_bottom() <= 200, "the explanation runs out of its picture");

        QPushButton* close = window.close_button();
        QCOMPARE(close->text(), QString("退  出  本  窗  口"));
        window.show();
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    void explanation_window_places_data() {
        place_columns();
        place_row("picture", "", {0, 0, 354, 200});
        place_row("close_button", "", {74, 210, 191, 28}, "退  出  本  窗  口");
    }

    void explanation_window_places() {
        kjisuanshouming window;
        check_place(window);
    }

    void the_about_window() {
        scripted_prompts ask;
        aboutus window(ask);
        QCOMPARE(window.windowTitle(), QString("关于本软件"));
        QCOMPARE(window.size(), QSize(312, 239));
        QVERIFY(!has_maximise(window));
        QVERIFY(!has_minimise(window));
        QCOMPARE(window.picture()->pixmap().size(), QSize(186, 122));
        QCOMPARE(window.web_label()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(window.mail_label()->cursor().shape(), Qt::PointingHandCursor);
    }

    // Each label keeps its place's centre and shows its whole text.
    void about_window_places_data() {
        place_columns();
        QTest::addColumn<QColor>("colour");
        const fit centred = fit::centred;
        place_row("picture", "", {14, 12, 186, 122}) << QColor();
        place_row("version_label", "", {215, 111, 72, 13}, "VERSION 1.03", centred)
            << QColor(128, 0, 0);
        place_row("notice_label", "", {69, 164, 171, 13}, "© 2003-2025 凡耐软件 版权所有", centred)
            << QColor();
        place_row("web_label", "", {71, 188, 146, 13}, "网址：www.varnel.example", centred)
            << QColor(Qt::blue);
        place_row("mail_label", "", {66, 206, 157, 13}, "E-mail：support@varnel.example", centred)
            << QColor(Qt::blue);
    }

    void about_window_places() {
        scripted_prompts ask;
        aboutus window(ask);
        check_place(window);
        QFETCH(QColor, colour);
        const auto* label = window.findChild<QLabel*>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(window.rect().contains(label->geometry()));
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
        if (colour.isValid()) QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    }

    // The notice's Han characters look as they do in any label of the window
    // that starts with them, not in a heavier face.
    void the_notice_draws_its_characters_as_the_other_labels_do() {
        scripted_prompts ask;
        aboutus window(ask);
        window.show();
        QWidget plain;
        plain.setPalette(window.palette());
        plain.setFont(window.font());
        QLabel reference(QStringLiteral("凡耐软件 版权所有"), &plain);
        reference.adjustSize();
        plain.show();
        const QImage characters = ink(reference.grab().toImage());
        QVERIFY(characters.width() > 80);
        QVERIFY(contains_image(window.notice_label()->grab().toImage(), characters));
    }

    void the_about_picture_is_the_view_in_its_three_colours() {
        const QImage picture = about_picture();
        QCOMPARE(picture.size(), QSize(186, 122));
        QVERIFY(pixels_of(picture, QColor(255, 9, 14)) > 50);
        QVERIFY(pixels_of(picture, QColor(0, 166, 13)) > 50);
        QVERIFY(pixels_of(picture, QColor(0, 86, 188)) > 50);
    }

    void the_underline_goes_only_over_the_bare_window() {
        scripted_prompts ask;
        aboutus window(ask);
        link_label* web = window.web_label();
        link_label* mail = window.mail_label();
        const QPoint background(5, 5);
        const QPoint over_picture = window.picture()->geometry().center();
        QVERIFY(window.childAt(background) == nullptr);

        hover(web, {2, 2});
        QVERIFY(web->underlined() && !mail->underlined());
        hover(mail, {2, 2});  // straight from one label to the other
        QVERIFY(web->underlined() && mail->underlined());
        move_over(&window, over_picture);
        QVERIFY(web->underlined() && mail->underlined());
        move_over(&window, background);
        QVERIFY(!web->underlined() && !mail->underlined());
    }

    void clicks_open_links_or_close_the_window() {
        const struct {
            const char* what;
            QWidget* (*target)(aboutus&);
            const char* url;  // nullptr: none opened
            bool closes;
        } clicks[] = {
            {"web label", [](aboutus& w) -> QWidget* { return w.web_label(); },
             "https://www.varnel.example/", false},
            {"mail label", [](aboutus& w) -> QWidget* { return w.mail_label(); },
             "mailto:support@varnel.example", false},
            {"version label", [](aboutus& w) -> QWidget* { return w.version_label(); }, nullptr,
             false},
            {"picture", [](aboutus& w) -> QWidget* { return w.picture(); }, nullptr, true},
            {"background", [](aboutus& w) -> QWidget* { return &w; }, nullptr, true},
        };
        for (const auto& c : clicks) {
            scripted_prompts ask;
            aboutus window(ask);
            window.show();
            QWidget* target = c.target(window);
            const QPoint at = target == &window ? QPoint(5, 5) : target->rect().center();
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
            QVERIFY2(window.isVisible() != c.closes, c.what);
            if (c.url) {
                QCOMPARE(ask.log.size(), std::size_t{1});
                QCOMPARE(ask.log[0].text, QString(c.url));
            } else {
                QVERIFY2(ask.log.empty(), c.what);
            }
        }
    }

    void links_that_cannot_open_say_where_to_go() {
        scripted_prompts ask;
        ask.url_opens = false;
        aboutus window(ask);
        QTest::mouseClick(window.web_label(), Qt::LeftButton);
        QTest::mouseClick(window.mail_label(), Qt::LeftButton);
        QCOMPARE(ask.messages(),
                 (QStringList{"无法打开网页，请用浏览器访问：www.varnel.example",
                              "无法打开邮件程序，请发送邮件至：support@varnel.example"}));
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::help_windows_test)
#include "help_windows_test.moc"
