#include "svg/svg_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace host::svg {

std::string escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    case '\'':
      out += "&apos;";
      break;
    default:
      // Control characters other than tab and line ends are not allowed in XML 1.0.
      if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
        out += ' ';
      else
        out += c;
    }
  }
  return out;
}

std::string color_text(const Rgb& color) {
  std::array<char, 8> text{};
  std::snprintf(text.data(), text.size(), "#%02x%02x%02x", color.red, color.green, color.blue);
  return text.data();
}

void append_number(std::string& out, double value) {
  // One decimal of a pixel is finer than any screen shows; -0.0 prints as 0.
  const double rounded = std::round(value * 10) / 10;
  std::array<char, 32> text{};
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), rounded == 0 ? 0.0 : rounded);
  out.append(text.data(), result.ptr);
}

std::string number_text(double value) {
  std::string out;
  append_number(out, value);
  return out;
}

} // namespace host::svg
