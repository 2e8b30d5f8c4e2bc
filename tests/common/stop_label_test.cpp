#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/stop_label_sweep.h"

namespace corvane {
namespace {

// Which texts the sweeps take for stop labels, with three stops placed: the route and tour
// tools in their plain digits, the isochrone tools in their blank-led ones. A user's own text
// in the other form, or past the count, stays on the map.
TEST(StopLabels, EachFormTakesItsOwnNumbersOnly) {
  struct Case {
    std::string text;
    bool plain;     // swept by the route and tour tools
    bool blank_led; // swept by the isochrone tools
  };
  const std::vector<Case> cases{
      {"Start", true, true}, {"End", true, true},   {"1", true, true},
      {"2", true, false},    {" 2", false, true},   {"3", true, false},
      {" 3", false, true},   {"4", false, false},   {" 4", false, false},
      {" 1", false, true},   {"0", false, false},   {" 0", false, false},
      {"02", false, false},  {" 02", false, false}, {"  2", false, false},
      {"2 ", false, false},  {"-2", false, false},  {"start", false, false},
      {"", false, false},    {" ", false, false},   {"9999999999", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsStopLabel(c.text, StopNumbers::Plain, 3), c.plain) << '"' << c.text << '"';
    EXPECT_EQ(IsStopLabel(c.text, StopNumbers::BlankLed, 3), c.blank_led) << '"' << c.text << '"';
  }
}

} // namespace
} // namespace corvane
