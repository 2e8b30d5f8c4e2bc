#pragma once

#include <string_view>

// Byte-text helpers: the settings files are single-byte text.
namespace win::ascii {

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
