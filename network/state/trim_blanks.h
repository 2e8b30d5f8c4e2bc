#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The platform's Trim: leading and trailing blanks go, tabs and other white space stay.
std::string trim_blanks(std::string_view text);

} // namespace corvane
