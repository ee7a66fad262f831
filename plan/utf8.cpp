#include "plan/utf8.h"

#include <cstddef>
#include <cstdint>

namespace varnel {

bool is_utf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        // The range of the second byte narrows for the lead bytes that could
        // start an overlong form, a surrogate or a code point past U+10FFFF.
        std::uint8_t low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (bytes.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(bytes[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return true;
}

bool has_no_controls(std::string_view bytes) {
    for (const char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b < 0x20 || b == 0x7F) return false;
    }
    return true;
}

}  // namespace varnel
