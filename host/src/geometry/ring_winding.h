#pragma once

#include <vector>

#include "host/geometry.h"

namespace host {

// Puts a polygon's rings in the order a shapefile keeps them: a ring inside an even number of
// the others (an outer ring) runs clockwise, one inside an odd number (a hole) counter-clockwise.
// Whether a ring lies inside another is told at the middle of its first edge that lies on no
// other ring; a ring whose every edge lies on others keeps its order. The rings must not cross.
// Each test looks only at the edges near the point's height, so a zone of thousands of holes
// costs about as much as reading its vertices.
void wind_shapefile_rings(std::vector<Path>& rings);

} // namespace host
