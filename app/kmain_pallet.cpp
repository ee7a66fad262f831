// Cartons of one type on a pallet: the pallet dialog over the carton typed
// in the window, then the plan's result dialog; and the pallet types.
#include <QLineEdit>

#include "app/kmain.h"
#include "app/messages.h"
#include "app/pallet_solid.h"
#include "dialogs/catalogue_dialogs.h"
#include "dialogs/ktuopanjieguo.h"
#include "dialogs/ktuopanzhuangzai.h"
#include "ui/qtext.h"
#include "view/pallet_scene.h"
#include "view/solid_view.h"

namespace varnel {

void kmain::pallet_load() {
    ktuopanzhuangzai dialog(store_, prompts_, carton_length->text(), carton_width->text(),
                            carton_height->text(), this);
    if (dialog.exec() != QDialog::Accepted || !dialog.plan()) return;
    ktuopanjieguo result(*dialog.plan(), dialog.pallet(), dialog.pallet_name(), this);
    add_pallet_solid(result, *dialog.plan(), dialog.pallet(), dialog.pallet_name());
    result.exec();
}

void add_pallet_solid(ktuopanjieguo& result, const pallet_plan& plan, const pallet_measures& pallet,
                      const QString& pallet_name) {
    auto* view = new solid_view;
    view->setObjectName(QStringLiteral("pallet_solid"));
    view->set_scene(pallet_scene(plan, pallet, text::tool_cartons, pallet_name.toStdString()));
    result.add_solid_view(view);
}

void kmain::pallet_types() { run_pallet_types(store_, prompts_, *this); }

}  // namespace varnel
