#include "win/date_text.h"

#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono;

class DateText : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("TZ", "UTC", 1);
    tzset();
  }
  void TearDown() override { win::clock::use_system_time(); }

  static sys_seconds at(int year, unsigned month, unsigned day, hours h, minutes m, seconds s) {
    return sys_days(std::chrono::year(year) / month / day) + h + m + s;
  }
};

TEST_F(DateText, FormatsTheStampOnTheTwelveHourClock) {
  const struct {
    sys_seconds time;
    const char* date;
    const char* clock_text;
  } cases[] = {
      {at(2025, 12, 9, 21h, 15min, 2s), "12/09/25", "09.15.02 PM"},
      {at(2025, 12, 9, 12h, 0min, 0s), "12/09/25", "12.00.00 PM"},
      {at(2025, 12, 10, 0h, 0min, 0s), "12/10/25", "12.00.00 AM"},
      {at(2026, 1, 2, 0h, 59min, 59s), "01/02/26", "12.59.59 AM"},
      {at(2026, 1, 2, 11h, 59min, 59s), "01/02/26", "11.59.59 AM"},
      {at(2000, 7, 4, 13h, 5min, 9s), "07/04/00", "01.05.09 PM"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(win::format_mm_dd_yy(c.time), c.date);
    EXPECT_EQ(win::format_hh_mm_ss_am_pm(c.time), c.clock_text);
  }
}

TEST_F(DateText, FractionsOfASecondAreCutNotRounded) {
  EXPECT_EQ(win::format_hh_mm_ss_am_pm(at(2025, 1, 1, 10h, 0min, 1s) + 999ms), "10.00.01 AM");
}

TEST_F(DateText, TodayWithTheTimeAMinuteAheadJustBeforeMidnight) {
  win::clock::set(at(2025, 12, 31, 23h, 59min, 30s));
  const auto now = win::clock::now();
  EXPECT_EQ(win::format_mm_dd_yy(now) + " " + win::format_hh_mm_ss_am_pm(now + 1min),
            "12/31/25 12.00.30 AM");
}

TEST_F(DateText, TheClockCanBeFixedAdvancedAndReleased) {
  const auto start = at(2025, 3, 1, 8h, 0min, 0s);
  win::clock::set(start);
  EXPECT_EQ(win::clock::now(), start);
  EXPECT_EQ(win::clock::now(), start); // fixed, not running
  win::clock::advance(90s);
  EXPECT_EQ(win::clock::now(), start + 90s);
  win::clock::use_system_time();
  const auto before = system_clock::now();
  EXPECT_GE(win::clock::now(), before);
}

} // namespace
