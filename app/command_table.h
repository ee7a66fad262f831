#pragma once

#include <span>
#include <string_view>

#include "app/pictures.h"

namespace varnel {

class kmain;

// Where a command's menu item stands: in one of the three menus, or on the
// menu bar itself; `none` for a command without a menu item.
enum class menu_place { none, file, bar, loading, help };

// One command of the main window and every place it is reached from. Names
// are object names (the tests and the help pictures find the places by them);
// an empty name means the command has no such place. A separator name puts a
// separator of that name just before the item or key.
struct command_row {
    void (kmain::*handler)();

    menu_place menu;
    std::string_view menu_separator;
    std::string_view menu_item;
    const char* menu_caption;
    std::string_view shortcut;  // portable text, "Ctrl+N"

    std::string_view tool_separator;
    std::string_view toolbar_key;
    const char* tool_caption;
    const char* tool_hint;
    toolbar_picture picture;

    std::string_view button;  // a push button of the window's own panels
    // The key shows its picture alone, its caption in its hint: the bar has
    // no room for one more caption.
    bool picture_only = false;
};

// The three menus, in the order they first appear in the command table.
struct menu_row {
    menu_place place;
    std::string_view name;
    const char* caption;
};
std::span<const menu_row> menu_table();

}  // namespace varnel
