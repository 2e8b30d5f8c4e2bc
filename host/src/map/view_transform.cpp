#include "map/view_transform.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {

double ViewTransform::resolution() const {
  return std::max(requested.width() / device_width, requested.height() / device_height);
}

MapRect ViewTransform::visible() const {
  const double res = resolution();
  const double cx = (requested.xmin + requested.xmax) / 2;
  const double cy = (requested.ymin + requested.ymax) / 2;
  const double half_w = res * device_width / 2;
  const double half_h = res * device_height / 2;
  return {cx - half_w, cy - half_h, cx + half_w, cy + half_h};
}

bool ViewTransform::shows(double x, double y) const {
  const MapRect v = visible();
  const double rounding = std::max({std::fabs(v.xmin), std::fabs(v.xmax), std::fabs(v.ymin),
                                    std::fabs(v.ymax)}) *
                          16 * std::numeric_limits<double>::epsilon();
  return v.grown(std::max(resolution() * 1e-6, rounding)).contains(x, y);
}

void ViewTransform::to_map(double px, double py, double* x, double* y) const {
  const MapRect v = visible();
  const double res = resolution();
  *x = v.xmin + px * res;
  *y = v.ymax - py * res;
}

void ViewTransform::to_pixel(double x, double y, double* px, double* py) const {
  const MapRect v = visible();
  const double res = resolution();
  *px = (x - v.xmin) / res;
  *py = (v.ymax - y) / res;
}

} // namespace host
