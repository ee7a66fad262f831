#include "app/startup.h"

#include "ui/prompts.h"

namespace varnel {

started_program start_program(const QString& folder, prompts& prompts,
                              kmain::program_end end_program) {
    started_program program;
    open_result opened = open_catalogue(folder);
    if (!opened.store) {
        prompts.message(opened.error);
        program.status = 1;
        return program;
    }
    program.catalogue = std::move(opened.store);
    program.window = std::make_unique<kmain>(*program.catalogue, prompts, std::move(end_program));
    if (!program.window->start()) {
        program.window.reset();
        program.status = 1;
    }
    return program;
}

}  // namespace varnel
