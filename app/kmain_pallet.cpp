// Cartons of one type on a pallet: the pallet dialog over the carton typed
// in the window, then the plan's result dialog; and the pallet types.
#include <QLineEdit>

#include "app/kmain.h"
#include "dialogs/catalogue_dialogs.h"
#include "dialogs/ktuopanjieguo.h"
#include "dialogs/ktuopanzhuangzai.h"

namespace varnel {

void kmain::pallet_load() {
    ktuopanzhuangzai dialog(store_, prompts_, carton_length->text(), carton_width->text(),
                            carton_height->text(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.plan()) return;
    ktuopanjieguo result(*dialog.plan(), dialog.pallet(), dialog.pallet_name(), this);
    result.exec();
}

void kmain::pallet_types() { run_pallet_types(store_, prompts_, *this); }

}  // namespace varnel
