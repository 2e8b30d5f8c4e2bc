#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/typed_number.h"

namespace corvane {
namespace {

// What every dialog makes of an entry: a number only when the whole entry is one, a lone comma
// standing for the point.
TEST(TypedNumber, TheWholeEntryIsOneNumberWithAPointOrAComma) {
  const struct {
    const char* entry;
    std::optional<double> number;
    std::optional<std::string> text; // as a lookup takes it
  } cases[] = {
      {"0,5", 0.5, "0.5"},
      {" 37,5 ", 37.5, "37.5"},
      {"-0,25", -0.25, "-0.25"},
      {",5", 0.5, ".5"},
      {"1,5e3", 1500, "1.5e3"},
      {"7.5", 7.5, "7.5"},
      {"12", 12, "12"},
      {"", std::nullopt, std::nullopt},
      {"abc", std::nullopt, std::nullopt},
      {"7.5 min", std::nullopt, std::nullopt},
      {"1,234.5", std::nullopt, std::nullopt},
      {"1.234,5", std::nullopt, std::nullopt},
      {"1,2,3", std::nullopt, std::nullopt},
      {"1 000", std::nullopt, std::nullopt},
      {",", std::nullopt, std::nullopt},
      {"1e400", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.entry + "\"");
    EXPECT_EQ(TypedNumber(c.entry), c.number);
    EXPECT_EQ(TypedNumberText(c.entry), c.text);
  }
}

} // namespace
} // namespace corvane
