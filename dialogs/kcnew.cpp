#include "dialogs/kcnew.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "plan/messages.h"
#include "ui/form.h"
#include "ui/palette.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

namespace {

using form::kind;

// The table's order is the keyboard order.
// clang-format off
constexpr form::control controls[] = {
    // 10.5 points
    {"prompt_label", kind::label, "", {39, 19, 126, 14}, text::new_plan_prompt, palette::blue, 14},
    {"name_field", kind::field, "", {12, 43, 219, 23}},
    {"ok_button", kind::button, "", {11, 84, 102, 25}, text::new_plan_ok},
    {"cancel_button", kind::button, "", {127, 84, 102, 25}, text::new_plan_cancel},
};
// clang-format on

}  // namespace

kcnew::kcnew(prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      prompts_(prompts) {
    setWindowTitle(qtext(text::new_plan_title));
    setFixedSize(242, 127);
    form::build(*this, controls);
    prompt_label = form::part<QLabel>(*this, "prompt_label");
    name_field = form::part<QLineEdit>(*this, "name_field");
    ok_button = form::part<QPushButton>(*this, "ok_button");
    cancel_button = form::part<QPushButton>(*this, "cancel_button");
    // Enter confirms, as in the other dialogs; on a focused Cancel it cancels.
    ok_button->setDefault(true);

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
