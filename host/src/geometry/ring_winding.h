#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "host/geometry.h"

namespace host {

// How a polygon's rings lie in one another: for each ring, the innermost other ring around it
// (none for a ring inside no other), and whether it is a hole (inside an odd number of others).
// Whether a ring lies inside another is told at the middle of its first edge that lies on no
// other ring; a ring whose every edge lies on others counts as inside none. The rings must not
// cross. Each test looks only at the edges near the point's height, so a zone of thousands of
// holes costs about as much as reading its vertices.
struct RingNesting {
  std::vector<std::optional<std::size_t>> around;
  std::vector<bool> hole;
};
RingNesting ring_nesting(const std::vector<Path>& rings);

// Puts a polygon's rings in the order a shapefile keeps them: outer rings clockwise, holes
// counter-clockwise.
void wind_shapefile_rings(std::vector<Path>& rings);

} // namespace host
