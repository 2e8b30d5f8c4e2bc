#pragma once

// The ring between two nested zones drawn on one grid, without an overlay.
//
// Both zones' outlines come from the same lattice of crossings, and where the outer zone adds
// nothing (a corridor's side both zones share) the two outlines pass through the very same
// points. The ring is the outer zone's outlines with the inner zone's turned round; wherever an
// edge of one is an edge of the other run the other way, both go, and what is left is linked
// again at the shared points into closed rings. Where the two outlines only touch in a point,
// the ring is pinched there: it becomes two rings that meet in the point, side by side or one
// the hole of the other.

#include "geos_geometry.h"

namespace tamix {

// The rings of `outer` less `inner` (as zone_contour.h draws them: the inside on the left of each
// ring, every ring closed); `inner` lies within `outer`.
geos::Rings ring_difference(const geos::Rings& outer, const geos::Rings& inner);

} // namespace tamix
