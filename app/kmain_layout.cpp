// The main window's controls, menus and tool bar, placed at fixed pixel
// positions as the user knows them: nothing is laid out again.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "app/kmain.h"
#include "app/messages.h"
#include "app/pictures.h"
#include "ui/frame_box.h"
#include "ui/link_label.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"
#include "view/drawing_area.h"

namespace varnel {

namespace {

const QColor frame_caption_colour(0, 0, 255);
const QColor unit_colour(0, 0, 255);
const QColor field_grey(224, 224, 224);
const QColor result_purple(128, 0, 128);
const QColor stack_navy(0, 0, 128);
const QColor maker_magenta(192, 0, 192);

QGroupBox* frame(QWidget* parent, const char* caption, int x, int y, int w, int h) {
    auto* box = new frame_box(qtext(caption), frame_caption_colour, parent);
    box->setGeometry(x, y, w, h);
    return box;
}

// A label placed by its top-left corner, as wide as its text.
QLabel* label(QWidget* parent, const char* text, int x, int y) {
    auto* l = new QLabel(qtext(text), parent);
    l->adjustSize();
    l->move(x, y);
    return l;
}

QLabel* unit_label(QWidget* parent, int x, int y) {
    QLabel* l = label(parent, text::centimetre, x, y);
    set_text_colour(l, unit_colour);
    return l;
}

QLineEdit* field(QWidget* parent, int x, int y, int w, int h, bool read_only) {
    auto* f = new QLineEdit(parent);
    f->setGeometry(x, y, w, h);
    f->setTextMargins(0, 0, 0, 0);
    f->setReadOnly(read_only);
    if (read_only) set_base_colour(f, field_grey);
    return f;
}

// A button is known to the command table by its name.
QPushButton* button(QWidget* parent, const char* name, const char* caption, int x, int y, int w,
                    int h) {
    auto* b = new QPushButton(qtext(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, w, h);
    b->setAutoDefault(false);
    return b;
}

QLabel* result_label(QWidget* parent, int x, int y, int w, int h, const QFont& font,
                     const QColor& colour) {
    auto* l = new QLabel(parent);
    l->setGeometry(x, y, w, h);
    l->setFont(font);
    set_text_colour(l, colour);
    return l;
}

}  // namespace

void kmain::build_controls() {
    auto* central = new QWidget(this);
    central->setFixedSize(728, 510);
    setCentralWidget(central);

    // Container panel.
    QGroupBox* containers = frame(central, text::container_frame, 5, 44, 721, 48);
    QLabel* choose = label(containers, text::choose_container, 8, 22);
    choose->resize(60, 12);
    container_list = new selection_list(containers);
    container_list->setGeometry(69, 18, 142, 20);
    container_list->set_background(field_grey);
    label(containers, text::length, 221, 22);
    container_length = field(containers, 242, 19, 48, 18, true);
    label(containers, text::width, 299, 22);
    container_width = field(containers, 317, 19, 48, 18, true);
    label(containers, text::height, 372, 22);
    container_height = field(containers, 390, 19, 48, 18, true);
    manual_input_button =
        button(containers, "manual_input_button", text::manual_input, 451, 16, 101, 24);
    container_types_button =
        button(containers, "container_types_button", text::container_types, 562, 16, 149, 24);

    // Carton panel.
    QGroupBox* cartons = frame(central, text::carton_frame, 6, 95, 185, 152);
    label(cartons, text::length_colon, 7, 18);
    carton_length = field(cartons, 29, 15, 51, 18, false);
    unit_label(cartons, 83, 18);
    label(cartons, text::width_colon, 7, 36);
    carton_width = field(cartons, 29, 33, 51, 18, false);
    unit_label(cartons, 83, 36);
    label(cartons, text::height_colon, 7, 55);
    carton_height = field(cartons, 29, 52, 51, 18, false);
    unit_label(cartons, 83, 55);
    carton_picture = new QLabel(cartons);
    carton_picture->setGeometry(124, 19, 42, 44);
    carton_picture->setPixmap(varnel::carton_picture(42, 44));
    carton_picture->setFocusPolicy(Qt::ClickFocus);  // the print button parks the focus here
    label(cartons, text::choose_carton, 10, 79)->resize(132, 12);
    carton_list = new selection_list(cartons);
    carton_list->setGeometry(9, 96, 170, 20);
    carton_list->set_background(field_grey);
    carton_types_button =
        button(cartons, "carton_types_button", text::carton_types, 18, 122, 141, 23);

    // Options panel.
    QGroupBox* options = frame(central, text::options_frame, 6, 249, 185, 58);
    single_placement = new QCheckBox(qtext(text::single_placement), options);
    single_placement->setGeometry(12, 26, 68, 14);
    no_side_placement = new QCheckBox(qtext(text::no_side_placement), options);
    no_side_placement->setGeometry(101, 26, 68, 14);

    // Command panel.
    QGroupBox* commands = frame(central, "", 6, 308, 185, 155);
    start_button = button(commands, "start_button", text::start_button, 7, 15, 167, 28);
    draw_button = button(commands, "draw_button", text::draw_button, 7, 49, 167, 28);
    print_button = button(commands, "print_button", text::print_button, 7, 82, 167, 28);
    save_button = button(commands, "save_button", text::save_button, 7, 116, 167, 28);

    // Drawing panel with the three result texts over the drawing.
    QGroupBox* picture = frame(central, "", 193, 95, 531, 405);
    drawing = new drawing_area(picture);
    drawing->move(7, 12);
    utilisation_text = result_label(drawing, 10, 12, 128, 16, simsun(16), result_purple);
    arrangement_text = result_label(drawing, 10, 36, 168, 14, simsun(14), result_purple);
    stack_text = result_label(drawing, 19, 72, 43, 16, simsun(16, true), stack_navy);

    // The maker, on the window's background.
    // Both labels grow with their text, as the result texts do.
    maker_label = new QLabel(qtext(maker::name), central);
    maker_label->setGeometry(9, 473, 48, 13);
    maker_label->adjustSize();
    set_text_colour(maker_label, maker_magenta);
    web_label = new link_label(qtext(text::web_label_prefix) + qtext(maker::web_address), central);
    web_label->setGeometry(9, 487, 146, 13);
    web_label->adjustSize();
    set_text_colour(web_label, maker_magenta);
    new underline_clearer(central, {web_label});

    toolbar = new QToolBar(central);
    toolbar->setGeometry(0, 0, 728, 42);
}

void kmain::build_menus() {
    auto item = [this](QMenu* menu, QAction*& member, const char* name, const char* caption,
                       QKeySequence shortcut = {}) {
        member = menu->addAction(qtext(caption));
        member->setObjectName(QString::fromLatin1(name));
        member->setShortcut(shortcut);
    };
    auto separator = [](QMenu* menu, QAction*& member, const char* name) {
        member = menu->addSeparator();
        member->setObjectName(QString::fromLatin1(name));
    };
    auto menu = [this](QAction*& member, const char* name, const char* caption) {
        QMenu* m = menuBar()->addMenu(qtext(caption));
        member = m->menuAction();
        member->setObjectName(QString::fromLatin1(name));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    // Commands on the bar itself, without a menu of their own.
    auto bar_command = [this](QAction*& member, const char* name, const char* caption) {
        member = menuBar()->addAction(qtext(caption));
        member->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = menu(kfile, "kfile", text::menu_file);
    item(file, knew, "knew", text::menu_new, QKeySequence(Qt::CTRL | Qt::Key_N));
    item(file, kopen, "kopen", text::menu_open, QKeySequence(Qt::CTRL | Qt::Key_O));
    item(file, ksave, "ksave", text::menu_save, QKeySequence(Qt::CTRL | Qt::Key_S));
    separator(file, dss, "dss");
    item(file, kprint, "kprint", text::menu_print, QKeySequence(Qt::CTRL | Qt::Key_P));
    separator(file, kh1, "kh1");
    item(file, kexit, "kexit", text::menu_exit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    bar_command(kjg, "kjg", text::menu_containers);
    bar_command(kdbao, "kdbao", text::menu_cartons);

    QMenu* loading = menu(kzhuangxiang, "kzhuangxiang", text::menu_loading);
    item(loading, ksuan, "ksuan", text::menu_calculate);
    separator(loading, kh3, "kh3");
    item(loading, kshuoming, "kshuoming", text::menu_explanation);

    QMenu* help = menu(khelp, "khelp", text::menu_help);
    item(help, kshiyong, "kshiyong", text::menu_how_to_use);
    separator(help, asdf, "asdf");
    item(help, kbfangui, "kbfangui", text::menu_feedback);
    separator(help, kh5, "kh5");
    item(help, kzuozhe, "kzuozhe", text::menu_about);
}

void kmain::build_toolbar() {
    // Picture and caption must fit the bar's 42 pixels.
    toolbar->setStyleSheet(
        QStringLiteral("QToolBar { padding: 0px; spacing: 1px; }"
                       "QToolButton { padding: 0px 3px; margin: 0px; }"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(23, 20));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto key = [this](QAction*& member, const char* name, const char* caption, const char* hint,
                      toolbar_picture picture) {
        member = toolbar->addAction(QIcon(toolbar_pixmap(picture)), qtext(caption));
        member->setObjectName(QString::fromLatin1(name));
        member->setToolTip(qtext(hint));
    };
    auto separator = [this](QAction*& member, const char* name) {
        member = toolbar->addSeparator();
        member->setObjectName(QString::fromLatin1(name));
    };
    separator(kb1, "kb1");
    key(kbnew, "kbnew", text::tool_new, text::hint_new, toolbar_picture::new_plan);
    key(kbopen, "kbopen", text::tool_open, text::hint_open, toolbar_picture::open);
    key(kbsave, "kbsave", text::tool_save, text::hint_save, toolbar_picture::save);
    separator(kb2, "kb2");
    key(kbprint, "kbprint", text::tool_print, text::hint_print, toolbar_picture::print);
    separator(kb4, "kb4");
    key(kbji, "kbji", text::tool_containers, text::hint_containers, toolbar_picture::container);
    key(kbbao, "kbbao", text::tool_cartons, text::hint_cartons, toolbar_picture::carton);
    key(kjisuan, "kjisuan", text::tool_calculate, text::hint_calculate, toolbar_picture::calculate);
    key(kbshuoming, "kbshuoming", text::tool_explanation, text::tool_explanation,
        toolbar_picture::explanation);
    separator(kb3, "kb3");
    key(kbhelp, "kbhelp", text::tool_help, text::tool_help, toolbar_picture::help);
}

void kmain::set_tab_order() {
    QWidget* order[] = {carton_length,       carton_width,        carton_height,
                        single_placement,    no_side_placement,   start_button,
                        draw_button,         print_button,        save_button,
                        container_list,      manual_input_button, container_types_button,
                        carton_types_button, carton_list,         container_length,
                        container_width,     container_height};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace varnel
