#include "dialogs/kcnew.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "plan/messages.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

kcnew::kcnew(prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      prompts_(prompts) {
    setWindowTitle(qtext(text::new_plan_title));
    setFixedSize(242, 127);

    prompt_label = new QLabel(qtext(text::new_plan_prompt), this);
    prompt_label->setGeometry(39, 19, 126, 14);
    QFont prompt_font(QStringLiteral("SimSun"));
    prompt_font.setPixelSize(14);  // 10.5 points
    prompt_label->setFont(prompt_font);
    QPalette blue = prompt_label->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    prompt_label->setPalette(blue);

    name_field = new QLineEdit(this);
    name_field->setGeometry(12, 43, 219, 23);
    ok_button = new QPushButton(qtext(text::new_plan_ok), this);
    ok_button->setGeometry(11, 84, 102, 25);
    cancel_button = new QPushButton(qtext(text::new_plan_cancel), this);
    cancel_button->setGeometry(127, 84, 102, 25);
    // Enter confirms, as in the other dialogs; on a focused Cancel it cancels.
    ok_button->setDefault(true);

    setTabOrder(name_field, ok_button);
    setTabOrder(ok_button, cancel_button);
    name_field->setFocus();

    connect(ok_button, &QPushButton::clicked, this, &kcnew::accept_name);
    connect(cancel_button, &QPushButton::clicked, this, &kcnew::number_plan);
}

QString kcnew::plan_name() const { return name_field->text(); }

void kcnew::accept_name() {
    // Taken as typed: blanks and path characters are part of the name.
    if (name_field->text().isEmpty()) {
        prompts_.message(qtext(text::new_plan_name_missing));
        name_field->setFocus();
        return;
    }
    outcome_ = outcome::named;
    accept();
}

void kcnew::number_plan() {
    outcome_ = outcome::numbered;
    reject();
}

}  // namespace varnel
