#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QSpinBox;

namespace varnel {

// Keys for walking through a long load: back, the step shown (type a number
// to jump to it) and on. The window that owns it draws; the bar only asks.
class step_bar : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize bar_size{214, 22};

    explicit step_bar(QWidget* parent = nullptr);

    // The load has `steps` steps and shows step `shown` (0: none yet).
    void set_steps(int steps, int shown);

    QPushButton* back_key() const { return back_; }
    QPushButton* forward_key() const { return forward_; }
    QSpinBox* step_field() const { return field_; }

signals:
    void back();
    void forward();
    void jump(int step);

private:
    QPushButton* back_;
    QSpinBox* field_;
    QLabel* count_;
    QPushButton* forward_;
};

}  // namespace varnel
