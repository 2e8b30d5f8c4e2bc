#include "straight_line.h"

#include "map_units.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tamix {

double straight_line_metres(const Network& network, NodeId a, NodeId b) {
  const Point p = network.node_points[a], q = network.node_points[b];
  if (network.map_units != map_units_degree)
    return std::hypot(q.x - p.x, q.y - p.y) * metres_per_map_unit(network.map_units);
  // Haversine on the mean sphere: a tour asks for millions of these, and neither an order nor
  // the choice of the reached node nearest to a stop needs the ellipsoid's last fraction of a
  // percent.
  constexpr double earth_radius = 6371008.8;
  constexpr double radians = std::numbers::pi / 180;
  const double dlat = (q.y - p.y) * radians, dlon = (q.x - p.x) * radians;
  const double along_meridian = std::pow(std::sin(dlat / 2), 2);
  const double along_parallel = std::pow(std::sin(dlon / 2), 2);
  const double h =
      along_meridian + std::cos(p.y * radians) * std::cos(q.y * radians) * along_parallel;
  return 2 * earth_radius * std::asin(std::min(1.0, std::sqrt(h)));
}

} // namespace tamix
