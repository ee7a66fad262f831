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

// Where a command is reached from; empty where it has no such place. A
// button is named by the objectName of the main window's push button.
struct command_row {
    command_id id;
    std::string_view menu_item;
    std::string_view toolbar_key;
    std::string_view button;
};

// The one table the menus, the tool bar and the buttons dispatch through, in
// the order in which tool-bar keys are compared.
inline constexpr std::array<command_row, 14> command_table{{
    {command_id::new_plan, "knew", "kbnew", ""},
    {command_id::open, "kopen", "kbopen", ""},
    {command_id::save, "ksave", "kbsave", "save_button"},
    {command_id::print, "kprint", "kbprint", "print_button"},
    {command_id::exit, "kexit", "", ""},
    {command_id::container_types, "kjg", "kbji", "container_types_button"},
    {command_id::carton_types, "kdbao", "kbbao", "carton_types_button"},
    {command_id::start_calculation, "ksuan", "kjisuan", "start_button"},
    {command_id::calculation_explanation, "kshuoming", "kbshuoming", ""},
    {command_id::help, "kshiyong", "kbhelp", ""},
    {command_id::feedback, "kbfangui", "", ""},
    {command_id::about, "kzuozhe", "", ""},
    {command_id::manual_container_input, "", "", "manual_input_button"},
    {command_id::draw, "", "", "draw_button"},
}};

// The command of a place: the first row whose column holds `name` exactly.
constexpr std::optional<command_id> command_at(std::string_view command_row::*place,
                                               std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (const command_row& row : command_table) {
        if (row.*place == name) return row.id;
    }
    return std::nullopt;
}

// Tool-bar keys are compared in the table's order; the separators ("kb1" ...
// "kb4") have no command.
constexpr std::optional<command_id> command_for_toolbar_key(std::string_view key) {
    return command_at(&command_row::toolbar_key, key);
}

constexpr std::optional<command_id> command_for_menu_item(std::string_view item) {
    return command_at(&command_row::menu_item, item);
}

constexpr std::optional<command_id> command_for_button(std::string_view button) {
    return command_at(&command_row::button, button);
}

}  // namespace varnel
