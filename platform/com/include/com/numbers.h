#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace com {

// The platform's number rules, shared by the variant and the Windows runtime.

// The leading-number parse: skips leading blanks (space, tab, CR, LF), then reads the
// longest leading decimal number (optional sign, digits, "." as the only decimal point,
// an optional exponent introduced by E or D). Blanks inside the number are skipped, as the
// platform does, so " 1 2.5" reads 12.5. It never fails: text without a number gives 0.
//   Val("12abc") == 12, Val(" -3.5e2x") == -350, Val("Default") == 0, Val("") == 0
// A magnitude beyond double's range gives an infinity, one below it gives 0.
double Val(std::string_view text);

// The strict conversion of a text to a number: the whole text, less outer blanks, must be
// one decimal number of the form Val reads (no inner blanks); nullopt otherwise, and for a
// magnitude beyond double's range. parse_number(" 2.5 ") == 2.5, parse_number("12abc") and
// parse_number("") fail.
std::optional<double> parse_number(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour: 2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2. Non-finite values come back unchanged.
double round_half_even(double value);

// Whole-number conversions with halves to even; nullopt when the rounded value does not fit
// (or is not a number), which the platform reports as an overflow.
std::optional<std::int32_t> to_int32(double value);
std::optional<std::int16_t> to_int16(double value);

// Narrowing to single precision; nullopt when a finite value is beyond float's range.
std::optional<float> to_single(double value);

// Significant digits the platform prints for its two floating types.
inline constexpr int single_digits = 7;
inline constexpr int double_digits = 15;

// The platform's plain text of a number: at most `significant_digits` significant digits,
// no trailing zeros, "." as the decimal point whatever the locale, a "0" before a leading
// point, and exponent notation ("1E+20", "1.5E-07") when the decimal exponent is below -4
// or reaches the digit count.
//   number_text(0.5, 15) == "0.5", number_text(48.28025723721062, 15) == "48.2802572372106"
std::string number_text(double value, int significant_digits);

} // namespace com
