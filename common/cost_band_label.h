#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// The legend of cost bands, shared by the link isochrones and the zone polygons: every band is
// labelled by its own limits as the user gave them, "0.5 - 1.5 Kilometers", never by a limit
// rounded to a whole number.

// A zone limit as legends and class values show it: the single-precision limit's shortest text
// ("0.5", "2.5", "10").
std::string ZoneLimitText(float limit);

// The unit after a band: a blank and gDistUnits for the shortest route type, " Minutes" for the
// fastest; nothing for another route type.
std::optional<std::string> CostBandUnit();

// LOW & dash & HIGH & unit, the band from the limit below it (0 for the first band) to its own:
//   CostBandLabel(0.5F, " - ", 1.5F, " Kilometers") == "0.5 - 1.5 Kilometers"
std::string CostBandLabel(float low, std::string_view dash, float high, std::string_view unit);

} // namespace corvane
