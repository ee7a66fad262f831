#pragma once

#include "dialogs/catalogue_dialog.h"
#include "dialogs/dialog_parts.h"

class QPushButton;

namespace varnel {

// A container size typed by hand for the current plan: it goes into the main
// window's container fields and nowhere else.
class kinputji : public catalogue_dialog {
    Q_OBJECT
public:
    kinputji(prompts& prompts, catalogue_host& host);

    void set_size();
    void clear_sizes();

private:
    void build();
};

}  // namespace varnel
