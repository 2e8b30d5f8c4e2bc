#pragma once

#include <optional>
#include <vector>

#include "host/geometry.h"

namespace host {

// An axis-parallel box; `empty` until something is added.
struct Box {
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  bool empty = true;

  void add(const XY& p);
  void add(const Box& other);
  bool intersects(const Box& other) const;
};

// Plain geometry data behind the geometry objects, with no coordinate system.
//   point       one part of one vertex (no part = empty point)
//   multipoint  one part holding every point
//   polyline    one part per path
//   polygon     one part per ring, each closed (first vertex repeated at the end)
//   envelope    one part of two vertices, (xmin, ymin) and (xmax, ymax)
struct Shape {
  int type = geometry_null;
  std::vector<Path> parts;

  bool empty() const;
  int vertex_count() const;
  Box bounds() const;
  friend bool operator==(const Shape&, const Shape&) = default;
};

Shape make_point(double x, double y);
Shape make_envelope(const Box& box);
// The box of an envelope shape; an empty box for an empty envelope.
Box envelope_box(const Shape& envelope);

// Vertex i counted across all parts; nullopt when out of range.
std::optional<XY> vertex_at(const Shape& shape, int i);

// Signed area of a ring (closed or not): positive when it runs counter-clockwise.
double signed_area(const Path& ring);

} // namespace host
