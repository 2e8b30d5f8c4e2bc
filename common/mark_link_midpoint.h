#pragma once

#include <cstdint>
#include <string_view>

#include "host/map.h"
#include "host/table.h"

namespace corvane {

// Ratios and kinds of the two link markers: a closed road at the middle of its link, a
// temporary speed at seven tenths of it (so that both can stand on one link).
inline constexpr double ClosedRoadMarkerRatio = 0.5;
inline constexpr double TempSpeedMarkerRatio = 0.7;

// Marks link `link` (feature link - 1 of the network layer's feature class) with a marker of
// `kind` at the fraction `ratio` of the link's length. False, and nothing marked, when the
// feature class has no such feature: a stored link number may stem from another version of the
// layer. Any other failing host call ends the handler.
bool MarkLinkMidpoint(host::HostMap* map, host::HostFeatureClass* network_features,
                      std::int32_t link, double ratio, std::string_view kind);

} // namespace corvane
