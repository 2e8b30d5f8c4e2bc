#include "win/num_text.h"

#include <cstdint>

#include <gtest/gtest.h>

namespace {

TEST(NumText, DoubleValuesKeepFifteenDigitsWithTheSignBlank) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.0, " 0"},
      {-0.0, " 0"},
      {5.0, " 5"},
      {-5.0, "-5"},
      {0.5, " .5"},
      {-0.25, "-.25"},
      {7.5, " 7.5"},
      {-2.5, "-2.5"},
      {48.28025723721062, " 48.2802572372106"},
      {0.0001, " .0001"},
      {0.000015, " 1.5E-05"},
      {-0.000015, "-1.5E-05"},
      {999999999999999.0, " 999999999999999"},
      {1e15, " 1E+15"},
      {1e16, " 1E+16"},
      {123456789012345678.0, " 1.23456789012346E+17"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(win::NumText(c.value), c.text) << c.value;
}

TEST(NumText, SingleValuesKeepSevenDigits) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {1234.0f, " 1234"},
      {0.1f, " .1"}, // not " .100000001490116": the digits of the Single, not of its double
      {1234.5678f, " 1234.568"},
      {-0.5f, "-.5"},
      {1234567.0f, " 1234567"},
      {12345678.0f, " 1.234568E+07"},
      {0.00001f, " 1E-05"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(win::NumText(c.value), c.text) << c.value;
}

TEST(NumText, WholeNumbersKeepEveryDigitAndBuildCounterKeys) {
  EXPECT_EQ(win::NumText(0), " 0");
  EXPECT_EQ(win::NumText(-7), "-7");
  EXPECT_EQ(win::NumText(std::int32_t{2147483647}), " 2147483647");
  EXPECT_EQ(win::NumText(std::int16_t{3}), " 3");
  EXPECT_EQ("Zone " + win::NumText(1), "Zone  1");
  EXPECT_EQ(win::NumText(1) + " . Link Number ", " 1 . Link Number ");
}

} // namespace
