#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// The one number formatter of the program: the shortest text of at most seven
// significant digits, point as decimal separator in every locale, exponent
// from ten million on ("80.03", "100", "1203.2", "1E+07"). A negative zero is
// written "0".
std::string format_number(float value);

// The one number parser: blanks around the text are ignored; then an optional
// sign, digits with an optional point (".5" and "5." both read), and an
// optional exponent. Empty text, "inf", "nan", hex, thousands separators and
// trailing junk are not numbers, nor is a value beyond the float range.
std::optional<float> parse_number(std::string_view text);

// For files that must give back every bit: the shortest text that reads back
// to the same double ("5900", "800.3333333333334", "1e+20"), point as
// separator in every locale; a negative zero is written "0".
std::string format_exact(double value);

// Reads what parse_number reads, without blanks around it, into a double;
// no value beyond the double range.
std::optional<double> parse_exact(std::string_view text);

// Centimetres and millimetres: mode 0 divides by 10, mode 1 multiplies by 10
// (in double, stored as float). Any other mode, or a result beyond the float
// range, gives no value.
std::optional<float> convert_unit(float value, std::int16_t mode);

// A size typed in centimetres, as millimetres: parse_number then
// convert_unit mode 1. No value when either step fails.
std::optional<float> read_size_cm(std::string_view text);

// A stored size (millimetres) as a field shows it: centimetres through
// convert_unit mode 0, written by format_number; empty when there is no value.
std::string size_text_cm(float millimetres);

// Nearest integer, halves to the even neighbour.
double round_half_even(double value);

// A value rounded half to even into 16 bits; no value when it does not fit.
std::optional<std::int16_t> to_int16(double value);

// A measured figure (kg, cm) as a loader reads it: whole units, or one
// decimal below 10 ("2.5", "12", "8275"), halves away from zero; never "-0".
std::string measure_text(double value);

// A typed count: the text parse_number reads, read in double precision so
// that every whole number up to 2^53 stays exact ("5000", " 5e3 ", "5000.0");
// no value for a fraction, or for a text that is not a number.
std::optional<std::int64_t> parse_count(std::string_view text);

// The text without the blanks around it: ASCII blanks and tabs, and the
// ideographic space a Chinese input method types.
std::string_view trim_blanks(std::string_view text);

// True for a text of blanks only, which a field left empty holds.
bool is_blank(std::string_view text);

}  // namespace varnel
