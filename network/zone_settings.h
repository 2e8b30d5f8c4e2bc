#pragma once

#include <vector>

namespace corvane {

// Puts the zone limits into gZoneCount and gZoneValues (re-allocated, zones at rows 1 .. count).
void StoreZoneList(const std::vector<float>& limits);

// Reads [ISOCHRONE] of the network's "Corvane.ini" once into the zone list (StoreZoneList); what
// cannot be used is named in one message.
void read_zone_list();

// The network opening and building: StoreZoneList, gZoneMax set to the last zone's limit
// (unchanged without zones), and the zones listed in the zone dialog, the first selected. The
// opening clears the list first; the building adds to it as it stands.
void StoreZoneSettings(const std::vector<float>& limits, bool clear_list);

} // namespace corvane
