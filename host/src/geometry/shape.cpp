#include "geometry/shape.h"

#include <algorithm>

namespace host {

void Box::add(const XY& p) {
  if (empty) {
    xmin = xmax = p.x;
    ymin = ymax = p.y;
    empty = false;
    return;
  }
  xmin = std::min(xmin, p.x);
  ymin = std::min(ymin, p.y);
  xmax = std::max(xmax, p.x);
  ymax = std::max(ymax, p.y);
}

void Box::add(const Box& other) {
  if (other.empty)
    return;
  add(XY{other.xmin, other.ymin});
  add(XY{other.xmax, other.ymax});
}

bool Box::intersects(const Box& other) const {
  if (empty || other.empty)
    return false;
  return xmin <= other.xmax && other.xmin <= xmax && ymin <= other.ymax && other.ymin <= ymax;
}

bool Shape::empty() const {
  return std::all_of(parts.begin(), parts.end(), [](const Path& p) { return p.empty(); });
}

int Shape::vertex_count() const {
  int n = 0;
  for (const auto& part : parts)
    n += static_cast<int>(part.size());
  return n;
}

Box Shape::bounds() const {
  Box box;
  for (const auto& part : parts)
    for (const auto& p : part)
      box.add(p);
  return box;
}

Shape make_point(double x, double y) {
  return Shape{geometry_point, {{XY{x, y}}}};
}

Shape make_envelope(const Box& box) {
  if (box.empty)
    return Shape{geometry_envelope, {}};
  return Shape{geometry_envelope, {{XY{box.xmin, box.ymin}, XY{box.xmax, box.ymax}}}};
}

Box envelope_box(const Shape& envelope) {
  return envelope.bounds();
}

std::optional<XY> vertex_at(const Shape& shape, int i) {
  if (i < 0)
    return std::nullopt;
  for (const auto& part : shape.parts) {
    if (i < static_cast<int>(part.size()))
      return part[static_cast<std::size_t>(i)];
    i -= static_cast<int>(part.size());
  }
  return std::nullopt;
}

double signed_area(const Path& ring) {
  // Taken as closed whether or not the last vertex repeats the first.
  double twice = 0;
  for (std::size_t i = 0; i < ring.size(); ++i) {
    const XY& a = ring[i];
    const XY& b = ring[(i + 1) % ring.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return twice / 2;
}

} // namespace host
