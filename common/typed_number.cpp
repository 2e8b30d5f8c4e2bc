#include "common/typed_number.h"

#include <algorithm>

#include "com/numbers.h"
#include "network/state/trim_blanks.h"

namespace corvane {

std::optional<std::string> TypedNumberText(std::string_view entry) {
  std::string text = trim_blanks(entry);
  // One comma alone is a decimal comma; beside a point, or twice, it groups digits, and the
  // entry is refused rather than read as a number it may not be.
  if (std::ranges::count(text, ',') == 1 && text.find('.') == std::string::npos)
    std::ranges::replace(text, ',', '.');
  if (!com::parse_number(text))
    return std::nullopt;
  return text;
}

std::optional<double> TypedNumber(std::string_view entry) {
  const auto text = TypedNumberText(entry);
  return text ? com::parse_number(*text) : std::nullopt;
}

} // namespace corvane
