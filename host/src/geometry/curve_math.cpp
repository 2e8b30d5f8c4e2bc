#include "geometry/curve_math.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {

namespace {
double distance(const XY& a, const XY& b) {
  return std::hypot(b.x - a.x, b.y - a.y);
}

// The first vertex of the curve, for curves that have no segment.
XY first_vertex(const Shape& curve) {
  for (const auto& part : curve.parts)
    if (!part.empty())
      return part.front();
  return XY{};
}
} // namespace

double curve_length(const Shape& curve) {
  double total = 0;
  for (const auto& part : curve.parts)
    for (std::size_t i = 1; i < part.size(); ++i)
      total += distance(part[i - 1], part[i]);
  return total;
}

XY point_along(const Shape& curve, double wanted) {
  XY last = first_vertex(curve);
  if (wanted <= 0)
    return last;
  double walked = 0;
  for (const auto& part : curve.parts) {
    for (std::size_t i = 1; i < part.size(); ++i) {
      const double step = distance(part[i - 1], part[i]);
      if (step > 0 && walked + step >= wanted) {
        const double t = (wanted - walked) / step;
        return XY{part[i - 1].x + t * (part[i].x - part[i - 1].x),
                  part[i - 1].y + t * (part[i].y - part[i - 1].y)};
      }
      walked += step;
      last = part[i];
    }
  }
  return last;
}

NearestPoint nearest_point(const Shape& curve, const XY& query) {
  NearestPoint best;
  best.point = first_vertex(curve);
  best.from = distance(query, best.point);
  double walked = 0;
  for (const auto& part : curve.parts) {
    for (std::size_t i = 1; i < part.size(); ++i) {
      const XY& a = part[i - 1];
      const XY& b = part[i];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double step2 = dx * dx + dy * dy;
      double t = step2 > 0 ? ((query.x - a.x) * dx + (query.y - a.y) * dy) / step2 : 0;
      t = std::clamp(t, 0.0, 1.0);
      const XY p{a.x + t * dx, a.y + t * dy};
      const double d = distance(query, p);
      if (d < best.from) {
        best.point = p;
        best.from = d;
        best.along = walked + t * std::sqrt(step2);
        // Right of the segment's direction when the cross product is negative.
        best.right = dx * (query.y - a.y) - dy * (query.x - a.x) < 0;
      }
      walked += std::sqrt(step2);
    }
  }
  return best;
}

} // namespace host
