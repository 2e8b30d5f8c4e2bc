#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace com {

// A 128-bit identifier in the platform's layout. Its text form is the usual
// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" (braces optional on input, any letter case).
struct GUID {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};

using IID = GUID;
using CLSID = GUID;

namespace detail {
constexpr int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses the 36-character body "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx".
constexpr std::optional<GUID> parse_guid_body(std::string_view s) {
  if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-')
    return std::nullopt;
  std::array<std::uint8_t, 16> bytes{};
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size();) {
    if (s[i] == '-') {
      ++i;
      continue;
    }
    const int hi = hex_digit(s[i]);
    const int lo = hex_digit(s[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    bytes[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
    i += 2;
  }
  GUID g;
  g.data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
            (std::uint32_t{bytes[2]} << 8) | bytes[3];
  g.data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
  g.data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
  for (std::size_t i = 0; i < 8; ++i) g.data4[i] = bytes[8 + i];
  return g;
}
} // namespace detail

// Parses a GUID text; nullopt when it is not a well-formed GUID.
constexpr std::optional<GUID> parse_guid(std::string_view text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}')
    text = text.substr(1, 36);
  return detail::parse_guid_body(text);
}

// Compile-time GUID from a literal; a malformed literal does not compile.
consteval GUID make_guid(std::string_view text) {
  const auto g = parse_guid(text);
  if (!g) throw "malformed GUID literal";
  return *g;
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in upper case, as the platform prints it.
std::string to_string(const GUID& g);

} // namespace com

template <> struct std::hash<com::GUID> {
  std::size_t operator()(const com::GUID& g) const noexcept {
    std::size_t h = g.data1;
    h = h * 1000003u ^ g.data2;
    h = h * 1000003u ^ g.data3;
    for (auto b : g.data4) h = h * 1000003u ^ b;
    return h;
  }
};
