#pragma once

#include <charconv>
#include <optional>
#include <string_view>

namespace forms {

// The whole text as a decimal whole number, as the scripted user gives indexes, key codes and
// values; nullopt for an empty text, blanks, trailing characters or a number beyond int.
inline std::optional<int> whole_number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

} // namespace forms
