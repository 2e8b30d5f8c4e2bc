#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The attribute filter that finds the features whose field `field` equals the typed `value`.
// A text field compares with the value as one quoted text (a quote inside it doubled), a number
// field with the value as a number, which must be a whole decimal number starting with a digit
// ("12", "12.5"; not "-5", ".5" or "12 OR 1=1"): no typed text can change what the filter
// means. Nothing for a value a number field cannot take.
std::optional<std::string> GazetteerFilter(std::string_view field, std::string_view value,
                                           bool text_field);

} // namespace corvane
