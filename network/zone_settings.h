#pragma once

#include <string>
#include <vector>

namespace corvane {

// The zone limits of [ISOCHRONE] in `ini_file`, read once: at most MaxZoneCount of them, and
// without those that no single-precision limit can hold; the user is told of either.
std::vector<float> ReadZoneLimits(const std::string& ini_file);

// Reads [ISOCHRONE] of the network's "Corvane.ini" into gZoneCount and gZoneValues
// (re-allocated, zones at rows 1 .. count; a missing key reads 0). The file is read once, and at
// most MaxZoneCount zones are taken; the user is told when "Total Zones" asks for more (or
// fewer than none).
void read_zone_list();

// The network opening and building: read_zone_list, gZoneMax set to the last zone's limit
// (unchanged without zones), and the zones listed in the zone dialog, the first selected. The
// opening clears the list first; the building adds to it as it stands.
void read_zone_settings(bool clear_list);

} // namespace corvane
