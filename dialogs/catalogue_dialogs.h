#pragma once

namespace varnel {

class catalogue_host;
class catalogue_store;
class prompts;

// The main window's commands that open the catalogue dialogs. Each shows its
// dialog modally over host.dialog_parent() and returns when the user is back
// at the main window.

// Container types: kaddji, then kgenggai when the user asked to change one.
void run_container_types(catalogue_store& store, prompts& prompts, catalogue_host& host);

// Manual container input: kinputji.
void run_manual_container_input(prompts& prompts, catalogue_host& host);

// Carton types: kbao, then kgengaibao when the user asked to change one.
void run_carton_types(catalogue_store& store, prompts& prompts, catalogue_host& host);

// Pallet types: ktuopan, then kgenggaituopan when the user asked to change
// one. The main window shows no pallet list, so nothing is refilled.
void run_pallet_types(catalogue_store& store, prompts& prompts, catalogue_host& host);

}  // namespace varnel
