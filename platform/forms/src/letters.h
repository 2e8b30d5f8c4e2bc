#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace forms {

// Equal texts without regard to letter case, as the platform compares names and list items.
inline bool same_letters(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

} // namespace forms
