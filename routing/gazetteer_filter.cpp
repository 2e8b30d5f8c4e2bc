#include "routing/gazetteer_filter.h"

#include <cctype>

namespace corvane {

namespace {

std::string quoted(std::string_view value) {
  std::string text = "'";
  for (const char c : value) {
    if (c == '\'')
      text += '\'';
    text += c;
  }
  return text + "'";
}

// Digits, optionally a point and more digits: the numbers the platform's number fields take
// from a typed value that starts with a digit.
bool plain_number(std::string_view value) {
  const auto digits = [&](std::size_t& at) {
    const std::size_t from = at;
    while (at < value.size() && std::isdigit(static_cast<unsigned char>(value[at])))
      ++at;
    return at > from;
  };
  std::size_t at = 0;
  if (!digits(at))
    return false;
  if (at < value.size() && value[at] == '.') {
    ++at;
    if (!digits(at))
      return false;
  }
  return at == value.size();
}

} // namespace

std::optional<std::string> GazetteerFilter(std::string_view field, std::string_view value,
                                           bool text_field) {
  const std::string left = std::string(field) + " = ";
  if (text_field)
    return left + quoted(value);
  if (!plain_number(value))
    return std::nullopt;
  return left + std::string(value);
}

} // namespace corvane
