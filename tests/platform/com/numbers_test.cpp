#include "com/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Numbers, ValReadsTheLeadingNumber) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"", 0},
      {"Default", 0},
      {"abc", 0},
      {"12abc", 12},
      {" -3.5e2x", -350},
      {"\t\r\n 7.5", 7.5},
      {".5", 0.5},
      {"-.25", -0.25},
      {"+4", 4},
      {"1 2.5", 12.5},
      {"- 3", -3},
      {"1.5.3", 1.5},
      {"2D3", 2000},
      {"2d-1", 0.2},
      {"12e", 12},
      {"12e+x", 12},
      {"3E 2", 300},
      {"-", 0},
      {".", 0},
      {"5.", 5},
      {"1,5", 1},
      {"&H10", 0},
      {" 48.2802572372106", 48.2802572372106},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(com::Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Numbers, ValSaturatesOutOfRangeMagnitudes) {
  EXPECT_EQ(com::Val("1e400"), HUGE_VAL);
  EXPECT_EQ(com::Val("-1e400"), -HUGE_VAL);
  EXPECT_EQ(com::Val("1e-400"), 0.0);
}

TEST(Numbers, StrictParseTakesOnlyAWholeNumber) {
  const struct {
    const char* text;
    std::optional<double> expected;
  } cases[] = {
      {" 2.5 ", 2.5}, {"-7", -7}, {"+.5", 0.5},  {"1.5E+2", 150}, {"3d2", 300},
      {"12abc", {}},  {"", {}},   {"   ", {}},   {"abc", {}},     {"1 2", {}},
      {"- 3", {}},    {"1e", {}}, {"1e400", {}}, {"Default", {}}, {"1,5", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(com::parse_number(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Numbers, WholeNumbersRoundHalvesToEven) {
  const struct {
    double value;
    double rounded;
  } cases[] = {{2.5, 2},    {3.5, 4},    {-2.5, -2}, {-3.5, -4},   {0.5, 0},     {1.5, 2},
               {2.4999, 2}, {2.5001, 3}, {-0.4, 0},  {345.5, 346}, {344.5, 344}, {7, 7}};
  for (const auto& c : cases) {
    EXPECT_EQ(com::round_half_even(c.value), c.rounded) << c.value;
    EXPECT_EQ(com::to_int32(c.value), static_cast<std::int32_t>(c.rounded)) << c.value;
    EXPECT_EQ(com::to_int16(c.value), static_cast<std::int16_t>(c.rounded)) << c.value;
  }
}

TEST(Numbers, WholeNumberConversionsReportOverflow) {
  EXPECT_EQ(com::to_int16(32767.4), 32767);
  EXPECT_EQ(com::to_int16(-32768.5), -32768);
  EXPECT_FALSE(com::to_int16(32767.5));
  EXPECT_FALSE(com::to_int16(-32769));
  EXPECT_EQ(com::to_int32(2147483647.4), 2147483647);
  EXPECT_FALSE(com::to_int32(2147483647.5));
  EXPECT_FALSE(com::to_int32(-2147483649.0));
  EXPECT_FALSE(com::to_int32(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(com::to_int32(HUGE_VAL));
  EXPECT_FALSE(com::to_single(1e39));
  EXPECT_EQ(com::to_single(0.1), 0.1f);
}

TEST(Numbers, NumberTextPrintsThePlatformForm) {
  const struct {
    double value;
    int digits;
    const char* text;
  } cases[] = {
      {0.5, 15, "0.5"},
      {-0.5, 15, "-0.5"},
      {0.0, 15, "0"},
      {-0.0, 15, "0"},
      {7.5, 7, "7.5"},
      {45, 7, "45"},
      {48.28025723721062, 15, "48.2802572372106"},
      {static_cast<float>(1.609342), 7, "1.609342"},
      {static_cast<float>(0.1), 7, "0.1"},
      {static_cast<float>(0.1), 15, "0.100000001490116"},
      {1234567, 7, "1234567"},
      {12345678, 7, "1.234568E+07"},
      {1e15, 15, "1E+15"},
      {123456789012345.0, 15, "123456789012345"},
      {0.0001, 15, "0.0001"},
      {0.00001, 15, "1E-05"},
      {-1.5e-7, 15, "-1.5E-07"},
      {1.5e300, 15, "1.5E+300"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(com::number_text(c.value, c.digits), c.text) << c.value;
}

} // namespace
