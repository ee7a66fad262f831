#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace varnel {

// Every action of the main window that is not typing or choosing from a list.
enum class command_id {
    new_plan,
    open,
    save,
    print,
    exit,
    container_types,
    carton_types,
    start_calculation,
    calculation_explanation,
    help,
    feedback,
    about,
    manual_container_input,
    draw,
};

// Where a command is reached from; empty where it has no such place.
struct command_row {
    command_id id;
    std::string_view menu_item;
    std::string_view toolbar_key;
};

// The one table the menus, the tool bar and the buttons dispatch through, in
// the order in which tool-bar keys are compared.
inline constexpr std::array<command_row, 14> command_table{{
    {command_id::new_plan, "knew", "kbnew"},
    {command_id::open, "kopen", "kbopen"},
    {command_id::save, "ksave", "kbsave"},
    {command_id::print, "kprint", "kbprint"},
    {command_id::exit, "kexit", ""},
    {command_id::container_types, "kjg", "kbji"},
    {command_id::carton_types, "kdbao", "kbbao"},
    {command_id::start_calculation, "ksuan", "kjisuan"},
    {command_id::calculation_explanation, "kshuoming", "kbshuoming"},
    {command_id::help, "kshiyong", "kbhelp"},
    {command_id::feedback, "kbfangui", ""},
    {command_id::about, "kzuozhe", ""},
    {command_id::manual_container_input, "", ""},
    {command_id::draw, "", ""},
}};

// The command of a tool-bar key: the first row whose key equals it exactly.
// Separators ("kb1" ... "kb4") have none.
constexpr std::optional<command_id> command_for_toolbar_key(std::string_view key) {
    if (key.empty()) return std::nullopt;
    for (const command_row& row : command_table) {
        if (row.toolbar_key == key) return row.id;
    }
    return std::nullopt;
}

constexpr std::optional<command_id> command_for_menu_item(std::string_view item) {
    if (item.empty()) return std::nullopt;
    for (const command_row& row : command_table) {
        if (row.menu_item == item) return row.id;
    }
    return std::nullopt;
}

}  // namespace varnel
