// The profile-file parser on any text: every lookup, change and removal must work on whatever
// the file holds, a value written must read back as written, and a text written out must be
// written out again unchanged. (Removals take the first of two equal names, so a second one
// may still be found afterwards.)

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "profile_document.h"

namespace {

// Lookups of the names the system uses, in odd spellings too.
constexpr std::string_view names[][2] = {
    {"INFO", "SHAPE FILE"},
    {"info", " Record No "},
    {"ISOCHRONE", "Zone  1"},
    {"ISOCHRONE", "Total Zones"},
    {"CLOSED ROADS", "Total"},
    {"", ""},
    {"SPEED VALUES", "Speed  7 (mph)"},
    {"[x]", "a=b"},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto document = win::ProfileDocument::parse(text);
  for (const auto& [section, key] : names)
    document.raw_value(section, key);

  // What is written reads back as written.
  document.set("INFO", "SHAPE FILE", "C:\\data\\roads.shp");
  document.erase_key("CLOSED ROADS", "Total");
  document.erase_section("ISOCHRONE");
  const std::string written = document.text();
  const auto again = win::ProfileDocument::parse(written);
  if (again.raw_value("INFO", "SHAPE FILE") != std::string_view("C:\\data\\roads.shp"))
    std::abort();
  if (again.text() != written)
    std::abort();
  return 0;
}
