#pragma once

#include <concepts>
#include <string>

// The text form of numbers in the settings files, in their keys with a counter ("Zone " +
// NumText(1) is "Zone  1") and in the numbered map labels: one blank before a number that is
// zero or positive, "-" before a negative one, "." as the decimal point whatever the locale,
// no "0" before a leading point, no trailing zeros, and exponent notation when the decimal
// exponent is below -4 or reaches the digit count. Single values keep 7 significant digits,
// Double values 15; whole numbers all their digits.
//   NumText(0.5) == " .5", NumText(-0.25) == "-.25", NumText(1e16) == " 1E+16",
//   NumText(1.5e-5) == " 1.5E-05", NumText(1234.0f) == " 1234", NumText(7) == " 7"
// The plain form without the sign blank is com::number_text (com/numbers.h).
namespace win {

std::string NumText(double value);
std::string NumText(float value);

template <std::integral Whole>
requires(!std::same_as<Whole, bool>) std::string NumText(Whole value) {
  std::string text = std::to_string(value);
  if (value >= 0)
    text.insert(text.begin(), ' ');
  return text;
}

} // namespace win
