#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace varnel {

class prompts;

// The New plan dialog: asks for the new plan's name. The caller applies the
// outcome to the title and then resets the plan, whatever the outcome.
class kcnew : public QDialog {
    Q_OBJECT
public:
    enum class outcome {
        closed,    // the close box: nothing changes
        named,     // OK with a name: that name, as typed
        numbered,  // Cancel: the automatic name with the next number
    };

    kcnew(prompts& prompts, QWidget* parent = nullptr);

    outcome result_outcome() const { return outcome_; }
    QString plan_name() const;

    QLabel* prompt_label;
    QLineEdit* name_field;
    QPushButton* ok_button;
    QPushButton* cancel_button;

private:
    void accept_name();
    void number_plan();

    prompts& prompts_;
    outcome outcome_ = outcome::closed;
};

}  // namespace varnel
