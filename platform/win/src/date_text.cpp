#include "win/date_text.h"

#include <cstdio>
#include <ctime>

namespace win {
namespace {

std::tm local_time(clock::time_point time) {
  const std::time_t seconds =
      std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(time));
  std::tm parts{};
  localtime_r(&seconds, &parts);
  return parts;
}

// Three two-digit numbers joined by `separator`, then `suffix`.
std::string two_digit_triple(int a, int b, int c, char separator, const char* suffix) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d%c%02d%c%02d%s", a, separator, b, separator, c, suffix);
  return text;
}

} // namespace

std::string format_mm_dd_yy(clock::time_point time) {
  const std::tm parts = local_time(time);
  return two_digit_triple(parts.tm_mon + 1, parts.tm_mday, parts.tm_year % 100, '/', "");
}

std::string format_hh_mm_ss_am_pm(clock::time_point time) {
  const std::tm parts = local_time(time);
  const int hour = parts.tm_hour % 12 == 0 ? 12 : parts.tm_hour % 12;
  return two_digit_triple(hour, parts.tm_min, parts.tm_sec, '.',
                          parts.tm_hour < 12 ? " AM" : " PM");
}

} // namespace win
