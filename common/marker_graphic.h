#pragma once

#include <string_view>

#include "host/geometry.h"
#include "host/map.h"

namespace corvane {

// Marker kinds and the icons they show.
inline constexpr std::string_view MarkerPolygonCentre = "IsoPoly";
inline constexpr std::string_view MarkerLinkCentre = "IsoLink";
inline constexpr std::string_view MarkerClosedRoad = "close";
inline constexpr std::string_view MarkerTempSpeed = "tmpspd";
inline constexpr std::string_view MarkerStar = "Star";

// Adds a red picture marker at `point` (map coordinates) to the map's graphics and redraws the
// view. The kind (case-sensitive) picks the icon from the add-in's "Icons" folder; any other
// kind gives a marker without a picture. "Star" markers are 10 points, all others 15. A missing
// icon file ends the handler (HandlerEnd).
void AddMarkerGraphic(host::HostMap* map, host::HostPoint* point, std::string_view kind);

} // namespace corvane
