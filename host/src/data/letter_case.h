#pragma once

#include <string>
#include <string_view>

namespace host {

// The text with ASCII letters in lower case: a key for names the platform compares without
// regard to letter case (com::equal_ignoring_case compares two at once).
std::string lower_case(std::string_view text);

} // namespace host
