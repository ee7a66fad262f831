#pragma once

#include <string_view>

namespace varnel {

// Whether the bytes are UTF-8 as the standard has it: no overlong forms, no
// surrogates, nothing past U+10FFFF.
bool is_utf8(std::string_view bytes);

// Whether the bytes hold no control character (C0, DEL): a name that stays
// on one line of a file and of the window.
bool has_no_controls(std::string_view bytes);

}  // namespace varnel
