// The main window's commands: menus, tool bar and buttons are built from these
// rows in this order, and each place calls its row's handler.
#include <array>

#include "app/command_table.h"
#include "app/kmain.h"
#include "app/messages.h"

namespace varnel {

namespace {

constexpr std::array menus{
    menu_row{menu_place::file, "kfile", text::menu_file},
    menu_row{menu_place::loading, "kzhuangxiang", text::menu_loading},
    menu_row{menu_place::help, "khelp", text::menu_help},
};

}  // namespace

std::span<const menu_row> menu_table() { return menus; }

std::span<const command_row> kmain::command_table() {
    using p = toolbar_picture;
    using m = menu_place;
    // clang-format off
    static const command_row rows[] = {
        // handler                         menu        sep     item         caption                  shortcut   sep    key           tool caption              tool hint                 picture         button
        {&kmain::new_plan,                 m::file,    "",     "knew",      text::menu_new,          "Ctrl+N",  "kb1", "kbnew",      text::tool_new,           text::hint_new,           p::new_plan,    ""},
        {&kmain::open_plan,                m::file,    "",     "kopen",     text::menu_open,         "Ctrl+O",  "",    "kbopen",     text::tool_open,          text::hint_open,          p::open,        ""},
        {&kmain::save_plan,                m::file,    "",     "ksave",     text::menu_save,         "Ctrl+S",  "",    "kbsave",     text::tool_save,          text::hint_save,          p::save,        "save_button"},
        {&kmain::print_plan,               m::file,    "dss",  "kprint",    text::menu_print,        "Ctrl+P",  "kb2", "kbprint",    text::tool_print,         text::hint_print,         p::print,       "print_button"},
        {&kmain::export_report,            m::file,    "",     "kdaochu",   text::menu_export_report, "",       "",    "kbzhidao",   text::tool_report,        text::hint_report,        p::report,      ""},
        {&kmain::print_report,             m::file,    "",     "kdayinzhidao", text::menu_print_report, "",     "",    "",           nullptr,                  nullptr,                  {},             ""},
        {&kmain::exit_program,             m::file,    "kh1",  "kexit",     text::menu_exit,         "Ctrl+Q",  "",    "",           nullptr,                  nullptr,                  {},             ""},
        {&kmain::container_types,          m::bar,     "",     "kjg",       text::menu_containers,   "",        "kb4", "kbji",       text::tool_containers,    text::hint_containers,    p::container,   "container_types_button"},
        {&kmain::carton_types,             m::bar,     "",     "kdbao",     text::menu_cartons,      "",        "",    "kbbao",      text::tool_cartons,       text::hint_cartons,       p::carton,      "carton_types_button"},
        {&kmain::start_calculation,        m::loading, "",     "ksuan",     text::menu_calculate,    "",        "",    "kjisuan",    text::tool_calculate,     text::hint_calculate,     p::calculate,   "start_button"},
        {&kmain::optimise_calculation,     m::loading, "",     "kyouhua",   text::menu_optimise,     "",        "",    "kbyouhua",   text::tool_optimise,      text::hint_optimise,      p::optimise,    ""},
        {&kmain::shipment_plan,            m::loading, "",     "kzhuangyun", text::menu_shipment,   "",        "",    "",           nullptr,                  nullptr,                  {},             ""},
        {&kmain::mixed_load,               m::loading, "",     "khunzhuang", text::menu_mixed,      "",        "",    "kbhunzhuang", text::tool_mixed,        text::hint_mixed,         p::mixed,       ""},
        {&kmain::pallet_load,              m::loading, "",     "ktuopanzhuangzai", text::menu_pallet, "",  "",    "",           nullptr,                  nullptr,                  {},             ""},
        {&kmain::pallet_types,             m::loading, "",     "ktuopan",   text::menu_pallet_types, "",       "",    "",           nullptr,                  nullptr,                  {},             ""},
        {&kmain::switch_solid_view,        m::loading, "",     "ksanwei",   text::menu_solid,        "",        "",    "kbsanwei",   text::tool_solid,         text::hint_solid,         p::solid,       "", true},
        {&kmain::calculation_explanation,  m::loading, "kh3",  "kshuoming", text::menu_explanation,  "",        "",    "kbshuoming", text::tool_explanation,   text::tool_explanation,   p::explanation, ""},
        {&kmain::help,                     m::help,    "",     "kshiyong",  text::menu_how_to_use,   "",        "kb3", "kbhelp",     text::tool_help,          text::tool_help,          p::help,        ""},
        {&kmain::feedback,                 m::help,    "asdf", "kbfangui",  text::menu_feedback,     "",        "",    "",           nullptr,                  nullptr,                  {},             ""},
        {&kmain::about,                    m::help,    "kh5",  "kzuozhe",   text::menu_about,        "",        "",    "",           nullptr,                  nullptr,                  {},             ""},
        {&kmain::manual_container_input,   m::none,    "",     "",          nullptr,                 "",        "",    "",           nullptr,                  nullptr,                  {},             "manual_input_button"},
        {&kmain::step_view,                m::none,    "",     "",          nullptr,                 "",        "",    "",           nullptr,                  nullptr,                  {},             "draw_button"},
    };
    // clang-format on
    return rows;
}

}  // namespace varnel
