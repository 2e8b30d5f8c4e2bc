#pragma once

#include <vector>

namespace corvane {

// The network opening and building: StoreZoneList, gZoneMax set to the last zone's limit
// (unchanged without zones), and the zones listed in the zone dialog, the first selected. The
// opening clears the list first; the building adds to it as it stands.
void StoreZoneSettings(const std::vector<float>& limits, bool clear_list);

} // namespace corvane
