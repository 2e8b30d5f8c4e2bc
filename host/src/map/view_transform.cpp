#include "map/view_transform.h"

#include <algorithm>

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
