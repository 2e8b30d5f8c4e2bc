#pragma once

// Building a network from link shapes, in named phases:
//   read   (the shapefile reader, outside the core) -> one shape per record
//   nodes  the two end points of every link
//   number equal end points become one node, numbered along a space-filling curve
//   sort   the adjacency, grouped by node
//   write  the network files (network_files.h)

#include "network.h"
#include "progress.h"

namespace tamix {

// Builds the network of `shapes` (the shape of record r is shapes.of(r + 1); a record without
// points has no link). Lengths are measured in `map_units` (map_units.h). Progress runs from
// `progress_from` to `progress_to` percent. Raises too_many_links_at_node, and illegal_shapefile
// for a link whose length cannot be measured (e.g. a latitude beyond a pole).
Network build_network(LinkGeometry shapes, int map_units, const Progress& progress = {},
                      int progress_from = 0, int progress_to = 100);

// Length in metres of the line through `points`, measured in `map_units`.
double polyline_metres(std::span<const Point> points, int map_units);

} // namespace tamix
