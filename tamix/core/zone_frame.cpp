#include "zone_frame.h"

#include "map_units.h"
#include "network_build.h"

#include <algorithm>

namespace tamix {
namespace {

// Half the stretch a degree's metres are measured over: short enough to be the scale at the
// point, long enough that the geodesic's rounding does not show.
constexpr double half_step = 0.005;

} // namespace

ZoneFrame::ZoneFrame(int map_units, Point low, Point high) {
  if (map_units != map_units_degree)
    return;
  scaled_ = true;
  centre_ = {(low.x + high.x) / 2, (low.y + high.y) / 2};
  const Point along_x[] = {{centre_.x - half_step, centre_.y}, {centre_.x + half_step, centre_.y}};
  const Point along_y[] = {{centre_.x, centre_.y - half_step}, {centre_.x, centre_.y + half_step}};
  metres_per_x_ = polyline_metres(along_x, map_units_degree) / (2 * half_step);
  metres_per_y_ = polyline_metres(along_y, map_units_degree) / (2 * half_step);
}

ZoneFrame ZoneFrame::around(const Network& network, std::span<const NodeId> centres) {
  if (network.map_units != map_units_degree || centres.empty())
    return ZoneFrame(network.map_units, {0, 0}, {0, 0});
  Point low = network.node_points[centres[0]], high = low;
  for (const NodeId v : centres) {
    const Point p = network.node_points[v];
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  return ZoneFrame(network.map_units, low, high);
}

void ZoneFrame::to_plane(std::vector<Point>& points) const {
  if (!scaled_)
    return;
  for (Point& p : points)
    p = to_plane(p);
}

void ZoneFrame::to_map(std::vector<Point>& points) const {
  if (!scaled_)
    return;
  for (Point& p : points)
    p = to_map(p);
}

} // namespace tamix
