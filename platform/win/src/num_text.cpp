#include "win/num_text.h"

#include <string_view>

#include "com/numbers.h"

namespace win {
namespace {

// The plain text made into the settings form: "0.5" -> " .5", "-0.25" -> "-.25".
std::string with_sign_blank(const std::string& plain) {
  std::string_view body = plain;
  const bool negative = body.starts_with('-');
  if (negative)
    body.remove_prefix(1);
  if (body.starts_with("0."))
    body.remove_prefix(1);
  std::string text(negative ? "-" : " ");
  text += body;
  return text;
}

} // namespace

std::string NumText(double value) {
  return with_sign_blank(com::number_text(value, com::double_digits));
}

std::string NumText(float value) {
  return with_sign_blank(com::number_text(value, com::single_digits));
}

} // namespace win
