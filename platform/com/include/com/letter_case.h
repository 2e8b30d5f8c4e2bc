#pragma once

#include <algorithm>
#include <string_view>

namespace com {

// Names the platform compares without regard to the case of ASCII letters: ProgIDs, settings
// sections and keys, file and field names, list items, "True".
constexpr bool equal_ignoring_case(std::string_view a, std::string_view b) {
  constexpr auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace com
