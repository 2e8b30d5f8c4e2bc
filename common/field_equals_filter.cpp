#include "common/field_equals_filter.h"

#include <cctype>

namespace corvane {

namespace {

// `text` between `mark`s, each `mark` inside it doubled: 'O''Brien', "SAY ""HI""".
std::string quoted(std::string_view text, char mark) {
  std::string out(1, mark);
  for (const char c : text) {
    if (c == mark)
      out += mark;
    out += c;
  }
  return out + mark;
}

bool plain_number(std::string_view value) {
  std::size_t at = 0;
  const auto digits = [&] {
    const std::size_t from = at;
    while (at < value.size() && std::isdigit(static_cast<unsigned char>(value[at])))
      ++at;
    return at - from;
  };
  const auto sign = [&] {
    if (at < value.size() && (value[at] == '+' || value[at] == '-'))
      ++at;
  };
  sign();
  std::size_t mantissa = digits();
  if (at < value.size() && value[at] == '.') {
    ++at;
    mantissa += digits();
  }
  if (mantissa == 0)
    return false;
  if (at < value.size() && (value[at] == 'e' || value[at] == 'E')) {
    ++at;
    sign();
    if (digits() == 0)
      return false;
  }
  return at == value.size();
}

} // namespace

std::optional<std::string> FieldEqualsFilter(std::string_view field, std::string_view value,
                                             bool text_field) {
  const std::string left = quoted(field, '"') + " = ";
  if (text_field)
    return left + quoted(value, '\'');
  if (!plain_number(value))
    return std::nullopt;
  return left + std::string(value);
}

} // namespace corvane
