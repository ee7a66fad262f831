#pragma once

#include <QString>

#include <memory>

#include "app/kmain.h"
#include "catalogue/catalogue_store.h"
#include "ui/qt_prompts.h"

namespace varnel {

// The program after start-up: the catalogue (open for the life of the
// process) and the main window, or the exit status when it could not start.
struct started_program {
    std::unique_ptr<catalogue_store> catalogue;
    std::unique_ptr<kmain> window;  // destroyed before the catalogue
    int status = 0;
};

// Opens the catalogue in `folder` (showing its error and ending when it
// cannot), then builds the main window and resets the plan. The window is
// not shown yet.
started_program start_program(const QString& folder, prompts& prompts,
                              kmain::program_end end_program);

// The whole run of the program from the catalogue in `folder`: start-up, the
// window shown, the event loop until the program ends. Returns the exit
// status.
int run_program(const QString& folder, qt_prompts& prompts);

}  // namespace varnel
