#include "ui/step_bar.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "ui/messages.h"
#include "ui/qtext.h"

namespace varnel {

step_bar::step_bar(QWidget* parent)
    : QWidget(parent),
      back_(new QPushButton(qtext(text::step_back), this)),
      field_(new QSpinBox(this)),
      count_(new QLabel(this)),
      forward_(new QPushButton(qtext(text::step_forward), this)) {
    setFixedSize(bar_size);
    back_->setObjectName(QStringLiteral("step_back_key"));
    field_->setObjectName(QStringLiteral("step_field"));
    count_->setObjectName(QStringLiteral("step_count"));
    forward_->setObjectName(QStringLiteral("step_forward_key"));
    back_->setGeometry(0, 0, 52, 22);
    field_->setGeometry(56, 0, 64, 22);
    count_->setGeometry(124, 0, 36, 22);
    forward_->setGeometry(162, 0, 52, 22);
    field_->setPrefix(qtext(text::step_prefix));
    field_->setSuffix(qtext(text::step_suffix));
    // A number is taken when typed in full (Enter or leaving the field) or
    // stepped by the arrows, not at every digit.
    field_->setKeyboardTracking(false);
    connect(back_, &QPushButton::clicked, this, &step_bar::back);
    connect(forward_, &QPushButton::clicked, this, &step_bar::forward);
    connect(field_, &QSpinBox::valueChanged, this, &step_bar::jump);
    set_steps(0, 0);
}

void step_bar::set_steps(int steps, int shown) {
    // Set by the window, not by the user: no jump.
    const QSignalBlocker quiet(field_);
    field_->setRange(steps > 0 ? 1 : 0, steps);
    field_->setValue(shown);
    count_->setText(qtext(text::step_count_prefix) + QString::number(steps) +
                    qtext(text::step_suffix));
}

}  // namespace varnel
