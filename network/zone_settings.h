#pragma once

namespace corvane {

// Reads [ISOCHRONE] of the network's "Corvane.ini" into gZoneCount, gZoneValues (re-allocated,
// zones at rows 1 .. count) and gZoneMax (the last zone's limit; unchanged without zones), and
// lists the zones in the zone dialog, selecting the first. The opening clears the list first;
// the building adds to it as it stands. The file is read once, and at most MaxZoneCount zones
// are taken; the user is told when "Total Zones" asks for more (or fewer than none).
void read_zone_settings(bool clear_list);

} // namespace corvane
