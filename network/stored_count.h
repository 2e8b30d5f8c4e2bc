#pragma once

#include <cstdint>
#include <string_view>

namespace corvane {

// How many entries of a list kept in a settings file the opening reads: the stored count
// ("Total", "Total Zones", "TOTAL CATEGORIES"), rounded halves-to-even, within 0 .. `capacity`
// (the rows of the list's table). A count outside that range would end the opening silently or,
// for a huge one, stall it; instead the user is told the file, the key and what is read
// ("Network Settings", exclamation), and the list then holds the entries read, with the count
// saying so.
std::int32_t EntriesToRead(std::string_view file, std::string_view section, std::string_view key,
                           double stored, std::int32_t capacity);

// Tells the user that a settings file holds something the opening cannot use and leaves out or
// replaces: "FILE: [SECTION] "KEY" WHAT" in a "Network Settings" box.
void WarnAboutSettings(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view what);

} // namespace corvane
