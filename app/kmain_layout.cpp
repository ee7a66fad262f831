// The main window's controls, menus and tool bar, placed at fixed pixel
// positions as the user knows them: nothing is laid out again.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

#include "app/command_table.h"
#include "app/kmain.h"
#include "app/messages.h"
#include "app/pictures.h"
#include "ui/form.h"
#include "ui/link_label.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/palette.h"
#include "ui/program_style.h"
#include "ui/qtext.h"
#include "ui/selection_list.h"
#include "view/drawing_area.h"

namespace varnel {

namespace {

using form::kind;
using palette::blue, palette::purple, palette::navy, palette::magenta;

// The controls in the order they are made, which is also their keyboard
// order after the explicit one of set_tab_order.
// clang-format off
constexpr form::control controls[] = {
    {"container_panel", kind::frame, "", {5, 44, 721, 48}, text::container_frame, blue},
    {"container_list_label", kind::label, "container_panel", {8, 22, 60, 12}, text::choose_container},
    {"container_list", kind::list, "container_panel", {69, 18, 142, 20}},
    {"container_length_label", kind::label, "container_panel", {221, 22, 0, 0}, text::length},
    {"container_length", kind::read_only, "container_panel", {242, 19, 48, 18}},
    {"container_width_label", kind::label, "container_panel", {299, 22, 0, 0}, text::width},
    {"container_width", kind::read_only, "container_panel", {317, 19, 48, 18}},
    {"container_height_label", kind::label, "container_panel", {372, 22, 0, 0}, text::height},
    {"container_height", kind::read_only, "container_panel", {390, 19, 48, 18}},
    {"manual_input_button", kind::button, "container_panel", {451, 16, 101, 24}, text::manual_input},
    {"container_types_button", kind::button, "container_panel", {562, 16, 149, 24}, text::container_types},

    {"carton_panel", kind::frame, "", {6, 95, 185, 152}, text::carton_frame, blue},
    {"carton_length_label", kind::label, "carton_panel", {7, 18, 0, 0}, text::length_colon},
    {"carton_length", kind::field, "carton_panel", {29, 15, 51, 18}},
    {"carton_length_unit", kind::label, "carton_panel", {83, 18, 0, 0}, text::centimetre, blue},
    {"carton_width_label", kind::label, "carton_panel", {7, 36, 0, 0}, text::width_colon},
    {"carton_width", kind::field, "carton_panel", {29, 33, 51, 18}},
    {"carton_width_unit", kind::label, "carton_panel", {83, 36, 0, 0}, text::centimetre, blue},
    {"carton_height_label", kind::label, "carton_panel", {7, 55, 0, 0}, text::height_colon},
    {"carton_height", kind::field, "carton_panel", {29, 52, 51, 18}},
    {"carton_height_unit", kind::label, "carton_panel", {83, 55, 0, 0}, text::centimetre, blue},
    {"carton_picture", kind::picture, "carton_panel", {124, 19, 42, 44}},
    {"carton_list_label", kind::label, "carton_panel", {10, 79, 132, 12}, text::choose_carton},
    {"carton_list", kind::list, "carton_panel", {9, 96, 170, 20}},
    {"carton_types_button", kind::button, "carton_panel", {18, 122, 141, 23}, text::carton_types},

    {"options_panel", kind::frame, "", {6, 249, 185, 58}, text::options_frame, blue},
    {"single_placement", kind::check_box, "options_panel", {12, 26, 68, 14}, text::single_placement},
    {"no_side_placement", kind::check_box, "options_panel", {101, 26, 68, 14}, text::no_side_placement},

    {"command_panel", kind::frame, "", {6, 308, 185, 155}, "", blue},
    {"start_button", kind::button, "command_panel", {7, 15, 167, 28}, text::start_button},
    {"draw_button", kind::button, "command_panel", {7, 49, 167, 28}, text::draw_button},
    {"print_button", kind::button, "command_panel", {7, 82, 167, 28}, text::print_button},
    {"save_button", kind::button, "command_panel", {7, 116, 167, 28}, text::save_button},

    // The drawing with the result texts over it.
    {"drawing_panel", kind::frame, "", {193, 95, 531, 405}, "", blue},
    {"drawing", kind::custom, "drawing_panel", {7, 12, 515, 383}},
    {"utilisation_text", kind::label, "drawing", {10, 12, 128, 16}, "", purple, 16},
    {"arrangement_text", kind::label, "drawing", {10, 36, 168, 14}, "", purple, 14},
    {"stack_text", kind::label, "drawing", {19, 72, 43, 16}, "", navy, 16, true},
    // The third line, read with the first two: right of the utilisation
    // text and above the container's far top edge (45 pixels down), where
    // no plan draws; the stack text keeps its place under the first two.
    {"bound_line", kind::label, "drawing", {216, 16, 0, 0}, "", purple, 12},
    // A mixed plan's containers, one at a time: under the container, right of
    // the step bar and left of the legend.
    // Many containers are many presses apart: the box takes any number.
    {"previous_container_button", kind::button, "drawing", {230, 353, 64, 22}, text::previous_container},
    {"container_number_box", kind::custom, "drawing", {296, 353, 56, 22}},
    {"next_container_button", kind::button, "drawing", {354, 353, 64, 22}, text::next_container},

    // The maker, on the window's background; both grow with their text.
    {"maker_label", kind::label, "", {9, 473, 0, 0}, maker::name, magenta},
    {"web_label", kind::link, "", {9, 487, 0, 0}, text::web_label_prefix, magenta, 0, false, maker::web_address},
};
// clang-format on

QWidget* make_custom(const form::control& row, QWidget* parent) {
    if (std::string_view(row.name) == "container_number_box") {
        auto* box = new QSpinBox(parent);
        box->setAlignment(Qt::AlignRight);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setKeyboardTracking(false);  // "12" typed is container 12, not 1 first
        return box;
    }
    return new drawing_area(parent);
}

// The program's look with the tool bar's own metrics, so picture and caption
// fit its 42 pixels: no margin round the keys, and a key 11 pixels wider and
// 5 higher than its picture and caption (Fusion alone adds 8 and 7). Set on
// the bar and on each key.
class tool_bar_style final : public QProxyStyle {
public:
    tool_bar_style() : QProxyStyle(new program_style) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_ToolBarItemMargin || metric == PM_ToolBarFrameWidth) return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_ToolButton) return size + QSize(11, 5);
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
};

// One for the process, owned by the application: the bar and its keys use
// it without owning it, and whatever order they go in, it outlives them.
QStyle* the_tool_bar_style() {
    static QPointer<QStyle> style;
    if (!style) {
        style = new tool_bar_style;
        style->setParent(qApp);
    }
    return style;
}

}  // namespace

void kmain::build_controls() {
    auto* central = new QWidget(this);
    central->setFixedSize(728, 510);
    setCentralWidget(central);
    form::build(*central, controls, make_custom);

    // Tests and the help pictures find the controls by these names too.
    container_list = form::part<selection_list>(*central, "container_list");
    container_length = form::part<QLineEdit>(*central, "container_length");
    container_width = form::part<QLineEdit>(*central, "container_width");
    container_height = form::part<QLineEdit>(*central, "container_height");
    manual_input_button = form::part<QPushButton>(*central, "manual_input_button");
    container_types_button = form::part<QPushButton>(*central, "container_types_button");
    carton_length = form::part<QLineEdit>(*central, "carton_length");
    carton_width = form::part<QLineEdit>(*central, "carton_width");
    carton_height = form::part<QLineEdit>(*central, "carton_height");
    carton_picture = form::part<QLabel>(*central, "carton_picture");
    carton_list = form::part<selection_list>(*central, "carton_list");
    carton_types_button = form::part<QPushButton>(*central, "carton_types_button");
    single_placement = form::part<QCheckBox>(*central, "single_placement");
    no_side_placement = form::part<QCheckBox>(*central, "no_side_placement");
    start_button = form::part<QPushButton>(*central, "start_button");
    draw_button = form::part<QPushButton>(*central, "draw_button");
    print_button = form::part<QPushButton>(*central, "print_button");
    save_button = form::part<QPushButton>(*central, "save_button");
    drawing = form::part<drawing_area>(*central, "drawing");
    utilisation_text = form::part<QLabel>(*central, "utilisation_text");
    arrangement_text = form::part<QLabel>(*central, "arrangement_text");
    stack_text = form::part<QLabel>(*central, "stack_text");
    bound_line = form::part<QLabel>(*central, "bound_line");
    previous_container_button = form::part<QPushButton>(*central, "previous_container_button");
    next_container_button = form::part<QPushButton>(*central, "next_container_button");
    container_number_box = form::part<QSpinBox>(*central, "container_number_box");
    previous_container_button->hide();
    next_container_button->hide();
    container_number_box->hide();
    maker_label = form::part<QLabel>(*central, "maker_label");
    web_label = form::part<link_label>(*central, "web_label");

    carton_picture->setPixmap(varnel::carton_picture(42, 44));
    carton_picture->setFocusPolicy(Qt::ClickFocus);  // the print button parks the focus here
    new underline_clearer(central, {web_label});

    toolbar = new QToolBar(central);
    toolbar->setGeometry(0, 0, 728, 42);
    toolbar->setObjectName(QStringLiteral("toolbar"));
}

void kmain::build_menus() {
    QMenu* menus[4] = {};  // by menu_place, made when their first item comes
    auto menu_at = [&](menu_place place) {
        QMenu*& menu = menus[static_cast<int>(place) - 1];
        if (menu) return menu;
        for (const menu_row& row : menu_table()) {
            if (row.place != place) continue;
            menu = menuBar()->addMenu(qtext(row.caption));
            menu->setObjectName(qtext(row.name));
            menu->menuAction()->setObjectName(qtext(row.name));
        }
        return menu;
    };
    for (const command_row& row : command_table()) {
        if (row.menu == menu_place::none) continue;
        QAction* item = nullptr;
        if (row.menu == menu_place::bar) {  // a command on the bar, without a menu
            item = menuBar()->addAction(qtext(row.menu_caption));
        } else {
            QMenu* menu = menu_at(row.menu);
            if (!row.menu_separator.empty()) {
                menu->addSeparator()->setObjectName(qtext(row.menu_separator));
            }
            item = menu->addAction(qtext(row.menu_caption));
            item->setShortcut(QKeySequence(qtext(row.shortcut), QKeySequence::PortableText));
        }
        item->setObjectName(qtext(row.menu_item));
        connect(item, &QAction::triggered, this, row.handler);
    }
}

void kmain::build_toolbar() {
    QStyle* style = the_tool_bar_style();
    toolbar->setStyle(style);
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setIconSize(QSize(23, 20));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const command_row& row : command_table()) {
        if (!row.tool_separator.empty()) {
            toolbar->addSeparator()->setObjectName(qtext(row.tool_separator));
        }
        if (row.toolbar_key.empty()) continue;
        QAction* key =
            toolbar->addAction(QIcon(toolbar_pixmap(row.picture)), qtext(row.tool_caption));
        key->setObjectName(qtext(row.toolbar_key));
        key->setToolTip(qtext(row.tool_hint));
        toolbar->widgetForAction(key)->setStyle(style);
        if (row.picture_only) {
            if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(key))) {
                button->setToolButtonStyle(Qt::ToolButtonIconOnly);
                // As tall as the keys with captions.
                button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
            }
        }
        connect(key, &QAction::triggered, this, row.handler);
    }
}

void kmain::connect_buttons() {
    for (const command_row& row : command_table()) {
        if (row.button.empty()) continue;
        auto* b = findChild<QPushButton*>(qtext(row.button));
        connect(b, &QPushButton::clicked, this, [this, handler = row.handler] {
            // The print button parks the focus on the carton picture first,
            // so the printed window shows no button with a focus frame.
            if (handler == &kmain::print_plan) carton_picture->setFocus();
            (this->*handler)();
        });
    }
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
