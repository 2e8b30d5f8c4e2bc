#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The one reading of a number the user types into a dialog. The whole entry, less the blanks
// around it, must be one decimal number (an optional sign, digits with an optional fraction,
// an optional exponent); a decimal comma stands for the point, since a user whose system writes
// "0,5" means one half. Text that is not a number is nothing, never the number it begins with:
// the dialog refuses it and stores nothing that was not typed.
//   "0,5" -> 0.5, " 37,5 " -> 37.5, "7.5" -> 7.5, "1e3" -> 1000
//   "", "abc", "7.5 min", "1,234.5", "1,2,3", "1 000" -> nothing
std::optional<double> TypedNumber(std::string_view entry);

// The entry as the number it is, with its decimal comma written as the point and without the
// blanks around it ("12,5" -> "12.5"), for a lookup that takes the number as typed; nothing
// where TypedNumber gives nothing.
std::optional<std::string> TypedNumberText(std::string_view entry);

} // namespace corvane
