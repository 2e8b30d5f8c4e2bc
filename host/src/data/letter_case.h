#pragma once

#include <string>
#include <string_view>

namespace host {

// ASCII letter case, as file, field and keyword names are compared on the platform.
std::string lower_case(std::string_view text);
bool equal_ignoring_case(std::string_view a, std::string_view b);

} // namespace host
