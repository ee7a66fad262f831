// The main window's controls, menus and tool bar, placed at fixed pixel
// positions as the user knows them: nothing is laid out again.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QToolBar>

#include <utility>

#include "app/command_table.h"
#include "app/kmain.h"
#include "app/messages.h"
#include "app/pictures.h"
#include "ui/frame_box.h"
#include "ui/link_label.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/program_style.h"
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
    // An optimised plan's line, in the arrangement text's style. The gap
    // between that text and the stack text is narrower than a line, so it
    // stands under the stack text.
    bound_line = result_label(drawing, 10, 98, 168, 14, simsun(14), result_purple);

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

    // Tests and the help pictures find the controls by their members' names.
    const std::pair<QObject*, const char*> names[] = {
        {toolbar, "toolbar"},
        {container_list, "container_list"},
        {container_length, "container_length"},
        {container_width, "container_width"},
        {container_height, "container_height"},
        {carton_length, "carton_length"},
        {carton_width, "carton_width"},
        {carton_height, "carton_height"},
        {carton_picture, "carton_picture"},
        {carton_list, "carton_list"},
        {single_placement, "single_placement"},
        {no_side_placement, "no_side_placement"},
        {drawing, "drawing"},
        {utilisation_text, "utilisation_text"},
        {arrangement_text, "arrangement_text"},
        {stack_text, "stack_text"},
        {bound_line, "bound_line"},
        {maker_label, "maker_label"},
        {web_label, "web_label"},
    };
    for (const auto& [object, name] : names) object->setObjectName(qtext(name));
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
