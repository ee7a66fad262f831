#pragma once

#include <QDialog>
#include <QStringList>
#include <QTextDocument>

class QPushButton;

namespace varnel {

// The explanation itself, drawn as text: a header naming the window and the
// program over the four steps of a calculation.
class explanation_picture : public QWidget {
    Q_OBJECT
public:
    static constexpr QRect place{0, 0, 354, 200};

    explicit explanation_picture(QWidget* parent = nullptr);

    QStringList header() const;
    QStringList paragraphs() const;
    // Where the last line of text ends; the text must end inside the picture.
    int text_bottom() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTextDocument body_;
};

// The calculation explanation window: light grey, fixed, no maximise button.
class kjisuanshouming : public QDialog {
    Q_OBJECT
public:
    explicit kjisuanshouming(QWidget* parent = nullptr);

    explanation_picture* picture() const { return picture_; }
    QPushButton* close_button() const { return close_button_; }

private:
    explanation_picture* picture_{};
    QPushButton* close_button_{};
};

}  // namespace varnel
