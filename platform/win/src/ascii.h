#pragma once

#include <string_view>

// Byte-text helpers. The settings files and file names are single-byte text, and the
// platform compares their names without regard to the case of the ASCII letters.
namespace win::ascii {

constexpr char to_lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool iequals(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (to_lower(a[i]) != to_lower(b[i]))
      return false;
  return true;
}

constexpr bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

// Removes the outer blanks (spaces and tabs); inner blanks are kept.
constexpr std::string_view trim(std::string_view text) {
  while (!text.empty() && is_blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back()))
    text.remove_suffix(1);
  return text;
}

constexpr std::string_view trim_end(std::string_view text) {
  while (!text.empty() && is_blank(text.back()))
    text.remove_suffix(1);
  return text;
}

} // namespace win::ascii
