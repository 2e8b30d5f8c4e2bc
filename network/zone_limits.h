#pragma once

#include <vector>

namespace corvane {

// The zone limits as a list: gZoneValues 1 .. gZoneCount, in their order.
std::vector<float> ZoneLimits();

} // namespace corvane
