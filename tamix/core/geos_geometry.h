#pragma once

// The engine's one door to GEOS (its C API, in the thread-safe form): a context per use, and
// geometries owned by handles that give them back to their context. Every operation that GEOS
// refuses raises general_error with GEOS's own message, so a caller never sees a null geometry.

#include "graph.h"

#include <geos_c.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace tamix::geos {

struct GeometryDeleter {
  GEOSContextHandle_t context = nullptr;
  void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(context, geometry); }
};
using Geometry = std::unique_ptr<GEOSGeometry, GeometryDeleter>;

// A polygon's rings as a shapefile holds them: outer rings clockwise, holes counter-clockwise,
// each closed (its last point repeats its first). No rings: an empty area.
using Rings = std::vector<std::vector<Point>>;

class Context {
public:
  Context();
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  // The area inside closed rings that run counter-clockwise around the inside, so clockwise
  // around a hole. The rings must not cross one another; a hole may touch its outer ring in a
  // point.
  Geometry area_of_rings(const Rings& rings);
  Geometry rectangle(Point low, Point high);
  Geometry empty_area();
  Geometry clone(const GEOSGeometry& geometry);

  // Overlays of areas (GEOS's overlay gives valid results); difference and intersection keep
  // only the polygons of a result, dropping the lines and points where areas merely touch.
  Geometry unite(const GEOSGeometry& a, const GEOSGeometry& b);
  Geometry difference(const GEOSGeometry& a, const GEOSGeometry& b);
  Geometry intersection(const GEOSGeometry& a, const GEOSGeometry& b);

  bool is_valid(const GEOSGeometry& geometry);
  bool is_empty(const GEOSGeometry& geometry);
  double area(const GEOSGeometry& geometry);
  bool covers(const GEOSGeometry& geometry, Point point);
  int vertex_count(const GEOSGeometry& geometry);

  // The polygons of an area (polygon, multipolygon or a collection of them) as shapefile rings.
  Rings shapefile_rings(const GEOSGeometry& area);

private:
  Geometry take(GEOSGeometry* geometry, const char* operation);
  Geometry polygons_of(Geometry geometry);
  Geometry line_of(std::span<const Point> points, bool ring);
  void add_rings_of_polygon(const GEOSGeometry& polygon, Rings& rings);
  [[noreturn]] void fail(const char* operation);

  GEOSContextHandle_t handle_;
  std::string message_; // GEOS's last error text
};

} // namespace tamix::geos
