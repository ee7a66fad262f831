#pragma once

#include <QApplication>
#include <QTest>

#include <vector>

#include "ui/look.h"
#include "app/startup.h"
#include "tests/catalogue/catalogue_copy.h"
#include "tests/support/scripted_prompts.h"
#include "view/drawing_area.h"
#include "view/pixel_canvas.h"

namespace varnel::test_support {

// The real main window on a fresh copy of the delivered catalogue, started as
// the program starts it, with scripted prompts and a recorded program end.
struct window_fixture {
    catalogue_copy catalogue;
    scripted_prompts prompts;
    std::vector<int> ends;
    started_program program;

    window_fixture()
        : program(start_program(catalogue.folder(), prompts,
                                [this](int status) { ends.push_back(status); })) {
        if (program.window) {
            program.window->show();
            program.window->activateWindow();
            QApplication::setActiveWindow(program.window.get());
            (void)QTest::qWaitForWindowActive(program.window.get());
        }
    }

    kmain& w() { return *program.window; }
};

inline bool same_pixels(const pixel_canvas& a, const pixel_canvas& b) {
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.data(), a.data() + a.width() * a.height(), b.data());
}

}  // namespace varnel::test_support
