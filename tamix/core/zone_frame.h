#pragma once

// The plane zone polygons are drawn in.
//
// The zone grid measures distances as straight lines on the plane of its points, with one radius
// in every direction, so both of the plane's axes must be the same length unit. A projected
// network's map units are: its zones are drawn in them as they are. Degrees are not: a degree of
// longitude is shorter than one of latitude by the cosine of the latitude (at 57.7° N about half
// as long), and a grid over degrees stretches every zone north-south by the inverse of that. So
// a network in degrees is drawn in a local plane of metres: longitude times the metres of a
// degree of longitude at the middle latitude of the centres, latitude times the metres of a
// degree of latitude there, both measured on the ellipsoid the link lengths are (so a zone's
// radius and its routes' lengths are the same metres). The scale is exact at that latitude and
// off by the change of the cosine elsewhere, about the tangent of the latitude times the
// distance in radians: at 58° N 0.25 % 10 km north or south of it, far below a grid cell for
// the zones of a city. The centres, not the network, set it, so that zones of a network that
// spans a country are drawn true where they are. Each axis is scaled on its own, so a rectangle
// in degrees (the extent) is a rectangle in the plane, and the outlines go back to degrees point
// by point.

#include "graph.h"
#include "network.h"

#include <span>
#include <vector>

namespace tamix {

class ZoneFrame {
public:
  // The plane of a network in `map_units` (map_units.h) around `low` .. `high`, in map units:
  // the map units themselves unless they are degrees.
  ZoneFrame(int map_units, Point low, Point high);
  // The plane of `network` around the middle of `centres` (nodes of it).
  static ZoneFrame around(const Network& network, std::span<const NodeId> centres);

  // Whether the plane is the map's own (nothing to convert).
  bool is_map() const { return !scaled_; }
  Point to_plane(Point p) const {
    return scaled_ ? Point{(p.x - centre_.x) * metres_per_x_, (p.y - centre_.y) * metres_per_y_}
                   : p;
  }
  Point to_map(Point p) const {
    return scaled_ ? Point{centre_.x + p.x / metres_per_x_, centre_.y + p.y / metres_per_y_} : p;
  }
  void to_plane(std::vector<Point>& points) const;
  void to_map(std::vector<Point>& points) const;

private:
  bool scaled_ = false;
  Point centre_{0, 0};
  double metres_per_x_ = 1, metres_per_y_ = 1;
};

} // namespace tamix
