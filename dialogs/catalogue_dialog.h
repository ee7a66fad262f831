#pragma once

#include <QDialog>

#include "dialogs/catalogue_host.h"
#include "ui/prompts.h"
#include "ui/qtext.h"

namespace varnel {

// What every catalogue dialog has: a modal dialog over the main window, the
// prompts it speaks through and the main window behind catalogue_host.
class catalogue_dialog : public QDialog {
public:
    catalogue_dialog(prompts& prompts, catalogue_host& host)
        : QDialog(host.dialog_parent()), prompts_(prompts), host_(host) {}

protected:
    void say(const char* message) { prompts_.message(qtext(message)); }

    prompts& prompts_;
    catalogue_host& host_;
};

}  // namespace varnel
