#pragma once

#include <cstdint>
#include <string_view>

#include "com/unknown.h"
#include "host/geometry.h"
#include "host/map.h"
#include "host/row.h"
#include "host/table.h"

namespace corvane {

// Ratios and kinds of the two link markers: a closed road at the middle of its link, a
// temporary speed at seven tenths of it (so that both can stand on one link).
inline constexpr double ClosedRoadMarkerRatio = 0.5;
inline constexpr double TempSpeedMarkerRatio = 0.7;

// The point at the fraction `ratio` of a link's length, measured along its shape from the first
// vertex, in the shape's spatial reference: where the link's marker stands. Computed the same
// way for placing and for removing, so that the removal finds the marker again.
com::ComPtr<host::HostPoint> LinkPointAt(host::HostFeature* link, double ratio);

// The same point of link `link` (feature link - 1 of the network layer's feature class); null
// when the feature class has no such feature.
com::ComPtr<host::HostPoint> LinkMarkerPoint(host::HostFeatureClass* network_features,
                                             std::int32_t link, double ratio);

// Marks link `link` (feature link - 1 of the network layer's feature class) with a marker of
// `kind` at the fraction `ratio` of the link's length. False, and nothing marked, when the
// feature class has no such feature: a stored link number may stem from another version of the
// layer. Any other failing host call ends the handler.
bool MarkLinkMidpoint(host::HostMap* map, host::HostFeatureClass* network_features,
                      std::int32_t link, double ratio, std::string_view kind);

} // namespace corvane
