#pragma once

#include <QAbstractButton>
#include <QByteArray>
#include <QGroupBox>
#include <QLabel>
#include <QRect>
#include <QTest>

// A window's controls checked against the places the user knows them by,
// one Qt Test data row per control, named by the control's object name.
namespace varnel::test_support {

enum class fit {
    exact,   // the place as given (a place of empty size: its top-left corner)
    centred  // grown about the place's centre, never smaller
};

inline void place_columns() {
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("fitting");
}

// `frame`: the object name of what the control stands in, "" the window's
// client area; `caption`: nullptr where the control has none to check.
// Returns the row, for a test's own columns after these.
inline QTestData& place_row(const QByteArray& name, const char* frame, QRect place,
                            const char* caption = nullptr, fit fitting = fit::exact) {
    return QTest::newRow(name.constData())
           << QString::fromUtf8(frame) << place
           << (caption ? QString::fromUtf8(caption) : QString()) << static_cast<int>(fitting);
}

// The label, field and "cm" of one size (`which`: "length", "width" or
// "height"), named <which>_label, <which>_field and <which>_unit.
inline void size_rows(const char* which, const char* caption, const char* frame, QPoint label,
                      QRect field, QPoint unit) {
    const QByteArray name(which);
    place_row(name + "_label", frame, {label, QSize(0, 0)}, caption);
    place_row(name + "_field", frame, field);
    place_row(name + "_unit", frame, {unit, QSize(0, 0)}, "cm");
}

inline QString caption_of(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(w)) return frame->title();
    return {};
}

// Checks the current row's control on `client` (the window's client area).
inline void check_place(const QWidget& client) {
    QFETCH(QString, frame);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    QFETCH(int, fitting);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QWidget* w = client.findChild<QWidget*>(name);
    QVERIFY2(w, "no control of that name");
    if (frame.isEmpty()) {
        QCOMPARE(w->parentWidget(), &client);
    } else {
        QCOMPARE(w->parentWidget()->objectName(), frame);
    }
    const QRect at = w->geometry();
    if (static_cast<fit>(fitting) == fit::centred) {
        QVERIFY((at.center() - place.center()).manhattanLength() <= 1);
        QVERIFY(at.width() >= place.width() && at.height() >= place.height());
    } else if (place.isEmpty()) {
        QCOMPARE(at.topLeft(), place.topLeft());
    } else {
        QCOMPARE(at, place);
    }
    if (!caption.isNull()) QCOMPARE(caption_of(w), caption);
}

}  // namespace varnel::test_support
