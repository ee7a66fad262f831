#include "dialogs/catalogue_dialogs.h"

#include "dialogs/kaddji.h"
#include "dialogs/kbao.h"
#include "dialogs/kgengaibao.h"
#include "dialogs/kgenggai.h"
#include "dialogs/kgenggaituopan.h"
#include "dialogs/kinputji.h"
#include "dialogs/ktuopan.h"

namespace varnel {

namespace {

// The list dialog is gone before its change dialog opens.
template <typename List, typename Change>
void run_list_then_change(catalogue_store& store, prompts& prompts, catalogue_host& host) {
    bool change_asked = false;
    {
        List list(store, prompts, host);
        change_asked = list.exec() == QDialog::Accepted;
    }
    if (!change_asked) return;
    Change change(store, prompts, host);
    change.exec();
}

}  // namespace

void run_container_types(catalogue_store& store, prompts& prompts, catalogue_host& host) {
    run_list_then_change<kaddji, kgenggai>(store, prompts, host);
}

void run_manual_container_input(prompts& prompts, catalogue_host& host) {
    kinputji dialog(prompts, host);
    dialog.exec();
}

void run_carton_types(catalogue_store& store, prompts& prompts, catalogue_host& host) {
    run_list_then_change<kbao, kgengaibao>(store, prompts, host);
}

}  // namespace varnel

namespace varnel {

void run_pallet_types(catalogue_store& store, prompts& prompts, catalogue_host& host) {
    run_list_then_change<ktuopan, kgenggaituopan>(store, prompts, host);
}

}  // namespace varnel
