#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tamix/net_calc.h"

namespace corvane {

// The distance and the time of one pair, whichever of them the route type minimised.
struct PairCosts {
  float distance = 0;
  float time = 0;
};

// The two costs at `node` after a solve: with the shortest route type the primary cost is the
// distance and the secondary the time; with any other the other way round.
PairCosts pair_costs(tamix::NetCalc& calc, std::int32_t node, std::int32_t route_type);

// A row of the "BatchRoute" table as the engine takes it: "FromPoint","ToPoint","Distance",
// "Time","Comments", each value in double quotes (a quote inside a label doubled), joined by
// commas; the numbers with up to 15 significant digits and "." as the decimal sign, whatever
// the locale; the comment a single blank.
//   row_text("A", "B \"2\"", {1.5f, 0.1f}) == "\"A\",\"B
//   \"\"2\"\"\",\"1.5\",\"0.100000001490116\",\" \""
std::string row_text(std::string_view from_label, std::string_view to_label, PairCosts costs);

} // namespace corvane
