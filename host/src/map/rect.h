#pragma once

#include <algorithm>

namespace host {

// A plain axis-parallel rectangle in map units for the map's own arithmetic.
struct MapRect {
  double xmin = 0;
  double ymin = 0;
  double xmax = 0;
  double ymax = 0;

  double width() const { return xmax - xmin; }
  double height() const { return ymax - ymin; }
  bool contains(double x, double y) const {
    return x >= xmin && x <= xmax && y >= ymin && y <= ymax;
  }
  MapRect grown(double by) const { return {xmin - by, ymin - by, xmax + by, ymax + by}; }
  MapRect united(const MapRect& other) const {
    return {std::min(xmin, other.xmin), std::min(ymin, other.ymin), std::max(xmax, other.xmax),
            std::max(ymax, other.ymax)};
  }
};

} // namespace host
