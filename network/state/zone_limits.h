#pragma once

#include <vector>

namespace corvane {

// The zone limits as a list: gZoneValues 1 .. gZoneCount, in their order.
std::vector<float> ZoneLimits();

// Puts the zone limits into gZoneCount and gZoneValues (re-allocated, zones at rows 1 .. count).
void StoreZoneList(const std::vector<float>& limits);

} // namespace corvane
