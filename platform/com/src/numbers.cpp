#include "com/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace com {
namespace {

constexpr bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
constexpr bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Whether blanks between the characters of a number are skipped (the lenient parse) or end
// the number (the strict conversion).
enum class InnerBlanks { skip, end };

// Collects the number at the start of `text` in the form from_chars reads ("-12.5e3").
class LeadingNumber {
public:
  LeadingNumber(std::string_view text, InnerBlanks inner) : text_(text), inner_(inner) {
    skip_blanks();
    if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) {
      if (text_[pos_] == '-')
        digits_ += '-';
      ++pos_;
    }
    mantissa_digits_ = read_digits();
    if (peek() == '.') {
      ++pos_;
      digits_ += '.';
      mantissa_digits_ += read_digits();
    }
    if (mantissa_digits_ > 0)
      read_exponent();
  }

  bool has_number() const { return mantissa_digits_ > 0; }
  // True when nothing but blanks follows the number.
  bool at_end() {
    skip_blanks();
    return pos_ == text_.size();
  }
  // The number's value; out-of-range magnitudes saturate to an infinity or 0.
  double value() const {
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(digits_.data(), digits_.data() + digits_.size(), value);
    if (error == std::errc::result_out_of_range) {
      const double magnitude = exponent_positive_ ? HUGE_VAL : 0.0;
      return digits_.front() == '-' ? -magnitude : magnitude;
    }
    return value;
  }

private:
  void skip_blanks() {
    while (pos_ < text_.size() && is_blank(text_[pos_]))
      ++pos_;
  }
  // The next character of the number (past inner blanks when they are skipped), or '\0'.
  char peek() {
    if (inner_ == InnerBlanks::skip)
      skip_blanks();
    return pos_ < text_.size() ? text_[pos_] : '\0';
  }
  int read_digits() {
    int count = 0;
    while (is_digit(peek())) {
      digits_ += text_[pos_++];
      ++count;
    }
    return count;
  }
  // "E", "e", "D" or "d", an optional sign, digits; without digits the letter is not part
  // of the number ("12e" reads 12).
  void read_exponent() {
    const char marker = peek();
    if (marker != 'E' && marker != 'e' && marker != 'D' && marker != 'd')
      return;
    const std::size_t mark_pos = pos_++;
    const std::size_t mark_len = digits_.size();
    digits_ += 'e';
    const char sign = peek();
    if (sign == '-' || sign == '+') {
      digits_ += sign;
      exponent_positive_ = sign == '+';
      ++pos_;
    }
    if (read_digits() == 0) {
      pos_ = mark_pos;
      digits_.resize(mark_len);
      exponent_positive_ = true;
    }
  }

  std::string_view text_;
  InnerBlanks inner_;
  std::size_t pos_ = 0;
  std::string digits_;
  int mantissa_digits_ = 0;
  bool exponent_positive_ = true;
};

template <class Int> std::optional<Int> to_whole(double value) {
  const double rounded = round_half_even(value);
  if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max()))
    return std::nullopt;
  return static_cast<Int>(rounded);
}

} // namespace

double Val(std::string_view text) {
  const LeadingNumber number(text, InnerBlanks::skip);
  return number.has_number() ? number.value() : 0.0;
}

std::optional<double> parse_number(std::string_view text) {
  LeadingNumber number(text, InnerBlanks::end);
  if (!number.has_number() || !number.at_end())
    return std::nullopt;
  const double value = number.value();
  if (std::isinf(value))
    return std::nullopt;
  return value;
}

double round_half_even(double value) {
  if (!std::isfinite(value))
    return value;
  const double nearest = std::round(value); // halves away from zero
  if (std::fabs(value - std::trunc(value)) != 0.5)
    return nearest;
  return 2.0 * std::round(value / 2.0);
}

std::optional<std::int32_t> to_int32(double value) {
  return to_whole<std::int32_t>(value);
}
std::optional<std::int16_t> to_int16(double value) {
  return to_whole<std::int16_t>(value);
}

std::optional<float> to_single(double value) {
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(value);
}

std::string number_text(double value, int significant_digits) {
  if (value == 0.0)
    return "0"; // also for -0, which the platform prints without a sign
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::general, significant_digits);
  std::string text(buffer.data(), result.ptr);
  for (char& c : text)
    if (c == 'e')
      c = 'E';
  return text;
}

} // namespace com
