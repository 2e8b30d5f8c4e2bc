#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/geometry.h"

namespace corvane {

// A point layer's shapefile may hold NaN or infinite coordinates. No network node is near such
// a point and no coordinate system can take it, so it is refused by name before either is
// asked.
bool HasFiniteCoordinates(host::HostPoint& point);

// The reason given for such a point in the batch tools' problem lists.
inline constexpr std::string_view NotFiniteReason = "Coordinates are not finite numbers";

// The message for such a point, feature `id` of `layer`, where a tool stops at it.
std::string NotFinitePointText(std::string_view layer, std::int32_t id);

} // namespace corvane
