#pragma once

#include <QColor>
#include <QComboBox>

namespace varnel {

// A drop-down list the user can only choose from, reporting the three events
// the catalogue lists act on: the list opening, the list taking the keyboard
// focus (by the mouse, the keyboard or code), and an entry being chosen (also
// the same one again, or by code through choose()).
class selection_list : public QComboBox {
    Q_OBJECT
public:
    explicit selection_list(QWidget* parent = nullptr);

    // Sets the list's text as if the user had chosen that entry: the entry
    // is selected (nothing when there is none) and `clicked` is emitted.
    void choose(const QString& text);

    // The list's face is painted flat in this colour, which tells whether
    // the container sizes came from the list.
    void set_background(const QColor& colour);
    QColor background() const;

signals:
    void dropped_down();
    void focused();
    void clicked();

protected:
    void showPopup() override;
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace varnel
