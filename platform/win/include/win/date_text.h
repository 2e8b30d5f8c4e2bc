#pragma once

#include <string>

#include "win/clock.h"

// The date and time texts of the settings stamp, in local time. Both take a whole point in
// time, so a caller that writes today's date with the time one minute ahead passes two
// different points (and just before midnight gets today's date with "12.00.30 AM").
namespace win {

// "MM/dd/yy": two-digit month, day and year, e.g. "12/09/25".
std::string format_mm_dd_yy(clock::time_point time);

// "hh.mm.ss AM/PM": the 12-hour clock with leading zeros, full stops, a blank and AM or PM,
// e.g. "09.15.02 PM"; noon is "12.00.00 PM" and midnight "12.00.00 AM".
std::string format_hh_mm_ss_am_pm(clock::time_point time);

} // namespace win
