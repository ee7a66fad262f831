#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <vector>

#include "app/kmain.h"
#include "app/startup.h"
#include "tests/catalogue/catalogue_copy.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/worked_example.h"
#include "ui/link_label.h"
#include "ui/look.h"
#include "ui/selection_list.h"
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

// A part of the main window found by its object name, as a user's script
// would find it; a missing part ends the test run at once.
template <class T>
T* part(const kmain& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("the main window has no %s", name);
    return found;
}

// The main window's controls, menu items and tool-bar keys by name.
struct window_parts {
    explicit window_parts(const kmain& w) : window(w) {}
    const kmain& window;
    QToolBar* toolbar = part<QToolBar>(window, "toolbar");
    selection_list* container_list = part<selection_list>(window, "container_list");
    selection_list* carton_list = part<selection_list>(window, "carton_list");
    QLabel* carton_picture = part<QLabel>(window, "carton_picture");
    QCheckBox* single_placement = part<QCheckBox>(window, "single_placement");
    QCheckBox* no_side_placement = part<QCheckBox>(window, "no_side_placement");
    drawing_area* drawing = part<drawing_area>(window, "drawing");
    QLabel* utilisation_text = part<QLabel>(window, "utilisation_text");
    QLabel* arrangement_text = part<QLabel>(window, "arrangement_text");
    QLabel* stack_text = part<QLabel>(window, "stack_text");
    QLabel* maker_label = part<QLabel>(window, "maker_label");
    link_label* web_label = part<link_label>(window, "web_label");
    QLineEdit* container_length = part<QLineEdit>(window, "container_length");
    QLineEdit* container_width = part<QLineEdit>(window, "container_width");
    QLineEdit* container_height = part<QLineEdit>(window, "container_height");
    QLineEdit* carton_length = part<QLineEdit>(window, "carton_length");
    QLineEdit* carton_width = part<QLineEdit>(window, "carton_width");
    QLineEdit* carton_height = part<QLineEdit>(window, "carton_height");
    QPushButton* manual_input_button = part<QPushButton>(window, "manual_input_button");
    QPushButton* container_types_button = part<QPushButton>(window, "container_types_button");
    QPushButton* carton_types_button = part<QPushButton>(window, "carton_types_button");
    QPushButton* start_button = part<QPushButton>(window, "start_button");
    QPushButton* draw_button = part<QPushButton>(window, "draw_button");
    QPushButton* print_button = part<QPushButton>(window, "print_button");
    QPushButton* save_button = part<QPushButton>(window, "save_button");
    QAction* kfile = part<QAction>(window, "kfile");
    QAction* kzhuangxiang = part<QAction>(window, "kzhuangxiang");
    QAction* khelp = part<QAction>(window, "khelp");
    QAction* knew = part<QAction>(window, "knew");
    QAction* kopen = part<QAction>(window, "kopen");
    QAction* ksave = part<QAction>(window, "ksave");
    QAction* dss = part<QAction>(window, "dss");
    QAction* kprint = part<QAction>(window, "kprint");
    QAction* kh1 = part<QAction>(window, "kh1");
    QAction* kexit = part<QAction>(window, "kexit");
    QAction* kjg = part<QAction>(window, "kjg");
    QAction* kdbao = part<QAction>(window, "kdbao");
    QAction* ksuan = part<QAction>(window, "ksuan");
    QAction* kh3 = part<QAction>(window, "kh3");
    QAction* kshuoming = part<QAction>(window, "kshuoming");
    QAction* kshiyong = part<QAction>(window, "kshiyong");
    QAction* asdf = part<QAction>(window, "asdf");
    QAction* kbfangui = part<QAction>(window, "kbfangui");
    QAction* kh5 = part<QAction>(window, "kh5");
    QAction* kzuozhe = part<QAction>(window, "kzuozhe");
    QAction* kb1 = part<QAction>(window, "kb1");
    QAction* kbnew = part<QAction>(window, "kbnew");
    QAction* kbopen = part<QAction>(window, "kbopen");
    QAction* kbsave = part<QAction>(window, "kbsave");
    QAction* kb2 = part<QAction>(window, "kb2");
    QAction* kbprint = part<QAction>(window, "kbprint");
    QAction* kb4 = part<QAction>(window, "kb4");
    QAction* kbji = part<QAction>(window, "kbji");
    QAction* kbbao = part<QAction>(window, "kbbao");
    QAction* kjisuan = part<QAction>(window, "kjisuan");
    QAction* kbshuoming = part<QAction>(window, "kbshuoming");
    QAction* kb3 = part<QAction>(window, "kb3");
    QAction* kbhelp = part<QAction>(window, "kbhelp");
};

inline window_parts parts(const kmain& window) { return window_parts(window); }

// A text typed in a test, as a QString.
inline QString q(const char* text) { return QString::fromUtf8(text); }

// Types a container size as the manual input writes it, and a carton size,
// in centimetres.
inline void type_sizes(kmain& w, const char* length, const char* width, const char* height,
                       const char* carton_length, const char* carton_width,
                       const char* carton_height) {
    w.set_manual_container_size(q(length), q(width), q(height));
    parts(w).carton_length->setText(q(carton_length));
    parts(w).carton_width->setText(q(carton_width));
    parts(w).carton_height->setText(q(carton_height));
}

inline void type_worked_example(kmain& w) {
    const auto& cm = worked_example_cm;
    type_sizes(w, cm[0], cm[1], cm[2], cm[3], cm[4], cm[5]);
}

inline bool same_pixels(const pixel_canvas& a, const pixel_canvas& b) {
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.data(), a.data() + a.width() * a.height(), b.data());
}

}  // namespace varnel::test_support
