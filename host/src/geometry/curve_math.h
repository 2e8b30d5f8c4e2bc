#pragma once

#include "geometry/shape.h"

namespace host {

// Length of every part of a polyline or polygon, in coordinate units.
double curve_length(const Shape& curve);

// The point at `distance` along the parts taken end to end, clamped to the curve's ends.
// The curve must have a vertex.
XY point_along(const Shape& curve, double distance);

struct NearestPoint {
  XY point;
  double along = 0; // distance along the curve to `point`
  double from = 0;  // distance from the query point to `point`
  bool right = false;
};

// The curve point nearest to `query`; ties go to the earlier segment. The curve must have a
// vertex.
NearestPoint nearest_point(const Shape& curve, const XY& query);

} // namespace host
