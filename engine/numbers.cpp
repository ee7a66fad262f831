#include "engine/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace varnel {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view trim_blanks(std::string_view s) {
    static constexpr std::string_view ideographic_space = "\xE3\x80\x80";
    for (bool changed = true; changed;) {
        changed = false;
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
            s.remove_prefix(1);
            changed = true;
        }
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
            changed = true;
        }
        if (s.starts_with(ideographic_space)) {
            s.remove_prefix(ideographic_space.size());
            changed = true;
        }
        if (s.ends_with(ideographic_space)) {
            s.remove_suffix(ideographic_space.size());
            changed = true;
        }
    }
    return s;
}

namespace {

// Sign, digits with an optional point (at least one digit), optional exponent.
bool is_decimal_literal(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && is_digit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && is_digit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exponent_digits = 0;
        while (i < s.size() && is_digit(s[i])) ++i, ++exponent_digits;
        if (exponent_digits == 0) return false;
    }
    return i == s.size();
}

// Whether an unsigned decimal literal is below one, told from its digits and
// exponent alone: a range error must not depend on a wider type's range
// (1e400 is beyond double too). Huge exponents saturate.
bool below_one(std::string_view s) {
    long long order = 0;  // the power of ten of the first significant digit, plus one
    bool significant = false;
    bool after_point = false;
    std::size_t i = 0;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            after_point = true;
        } else if (significant) {
            if (!after_point) ++order;
        } else if (s[i] != '0') {
            significant = true;
            if (!after_point) ++order;
        } else if (after_point) {
            --order;
        }
    }
    if (!significant) return true;
    long long exponent = 0;
    if (i < s.size()) {
        ++i;
        const bool negative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        for (; i < s.size(); ++i) {
            if (exponent < 1'000'000'000LL) exponent = exponent * 10 + (s[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return order + exponent <= 0;
}

std::optional<float> to_float(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

// What %.7G writes: at most seven significant digits.
constexpr int significant_digits = 7;

// 2^53: up to here a double holds every whole number; beyond it no longer
// tells neighbouring counts apart.
constexpr double largest_exact_count = 9007199254740992.0;

}  // namespace

std::string format_number(float value) {
    if (value == 0.0f) return "0";
    std::array<char, 32> buffer{};  // "-1.234568E+38" and room to spare
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, significant_digits);
    std::string text(buffer.data(), result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    return text;
}

std::optional<float> parse_number(std::string_view text) {
    std::string_view s = trim_blanks(text);
    if (!is_decimal_literal(s)) return std::nullopt;
    const bool negative = s.front() == '-';
    if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);

    // from_chars wants no sign and rounds straight to float, as typed text
    // should; its range error covers underflow too, which reads as zero.
    float magnitude = 0.0f;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), magnitude);
    if (result.ec == std::errc::result_out_of_range) {
        if (!below_one(s)) return std::nullopt;
        magnitude = 0.0f;
    } else if (result.ec != std::errc{} || result.ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    if (!std::isfinite(magnitude)) return std::nullopt;
    return negative ? -magnitude : magnitude;
}

std::string format_exact(double value) {
    if (value == 0.0) return "0";
    std::array<char, 32> buffer{};  // "-2.2250738585072014e-308" and room to spare
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::optional<double> parse_exact(std::string_view s) {
    if (!is_decimal_literal(s)) return std::nullopt;
    const bool negative = s.front() == '-';
    if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec != std::errc{} || result.ptr != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<float> convert_unit(float value, std::int16_t mode) {
    switch (mode) {
        case 0: return to_float(static_cast<double>(value) / 10.0);
        case 1: return to_float(static_cast<double>(value) * 10.0);
        default: return std::nullopt;
    }
}

std::optional<float> read_size_cm(std::string_view text) {
    const std::optional<float> value = parse_number(text);
    if (!value) return std::nullopt;
    return convert_unit(*value, 1);
}

std::string size_text_cm(float millimetres) {
    const std::optional<float> centimetres = convert_unit(millimetres, 0);
    return centimetres ? format_number(*centimetres) : std::string();
}

std::string measure_text(double value) {
    if (!std::isfinite(value)) return format_number(static_cast<float>(value));
    // Tenths first, so that 9.96 reads as 10, not "10.0".
    const double tenths = std::round(value * 10.0);
    if (std::fabs(tenths) < 100.0) return format_number(static_cast<float>(tenths / 10.0));
    // Fixed, never an exponent: a loader reads 100000, not 1e+05.
    std::array<char, 320> buffer{};  // the largest double has 309 digits
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::round(value) + 0.0, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

double round_half_even(double value) {
    const double rounded = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5) return 2.0 * std::round(value / 2.0);
    return rounded;
}

std::optional<std::int16_t> to_int16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = round_half_even(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int64_t> parse_count(std::string_view text) {
    std::string_view s = trim_blanks(text);
    if (!is_decimal_literal(s)) return std::nullopt;
    const bool negative = s.front() == '-';
    if (s.front() == '+' || s.front() == '-') s.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec != std::errc{} || result.ptr != s.data() + s.size()) return std::nullopt;
    if (!(value <= largest_exact_count) || std::trunc(value) != value) return std::nullopt;
    const auto whole = static_cast<std::int64_t>(value);
    return negative ? -whole : whole;
}

bool is_blank(std::string_view text) { return trim_blanks(text).empty(); }

}  // namespace varnel
