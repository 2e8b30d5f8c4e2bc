#pragma once

#include <algorithm>
#include <span>
#include <string_view>

namespace corvane {

// How a unique-value renderer draws one known value of a field: its legend label and colour.
struct ValueStyle {
  std::string_view value;
  std::string_view label;
  int red, green, blue;
};

// The style of `value` among `styles`; null for a value they do not know (drawn without label
// or colour).
inline const ValueStyle* find_style(std::span<const ValueStyle> styles, std::string_view value) {
  const auto found = std::ranges::find(styles, value, &ValueStyle::value);
  return found == styles.end() ? nullptr : &*found;
}

} // namespace corvane
