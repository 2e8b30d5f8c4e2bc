#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The attribute filter that finds the features whose field `field` equals the typed `value`.
// The field is named in double quotes, so any field name works (OR, 1ST, a blank, a letter
// beyond ASCII). A text field compares with the value as one quoted text (a quote inside it
// doubled), a number field with the value as a number in the plain grammar: an optional sign,
// digits with an optional fraction (or a fraction alone), an optional exponent ("12", "-5",
// ".5", "1.", "1e3"; not "5a" or "12 OR 1=1"): no typed text can change what the filter means.
// Nothing for a value a number field cannot take.
std::optional<std::string> FieldEqualsFilter(std::string_view field, std::string_view value,
                                             bool text_field);

} // namespace corvane
