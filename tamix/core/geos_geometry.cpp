#include "geos_geometry.h"

#include "error.h"

#include <algorithm>

namespace tamix::geos {
namespace {

void keep_message(const char* message, void* user_data) {
  *static_cast<std::string*>(user_data) = message;
}

// Twice the signed area of a closed ring: positive when it runs counter-clockwise.
double twice_signed_area(const std::vector<Point>& ring) {
  double sum = 0;
  for (std::size_t k = 1; k < ring.size(); ++k)
    sum += (ring[k - 1].x - ring[k].x) * (ring[k - 1].y + ring[k].y);
  return sum;
}

} // namespace

Context::Context() : handle_(GEOS_init_r()) {
  if (!handle_)
    throw Error(code::out_of_memory, "GEOS could not start");
  GEOSContext_setErrorMessageHandler_r(handle_, keep_message, &message_);
}

Context::~Context() {
  GEOS_finish_r(handle_);
}

void Context::fail(const char* operation) {
  throw Error(code::general_error, std::string("geometry: ") + operation + " failed" +
                                       (message_.empty() ? std::string() : ": " + message_));
}

Geometry Context::take(GEOSGeometry* geometry, const char* operation) {
  if (!geometry)
    fail(operation);
  return Geometry(geometry, GeometryDeleter{handle_});
}

Geometry Context::line_of(std::span<const Point> points, bool ring) {
  static_assert(sizeof(Point) == 2 * sizeof(double));
  GEOSCoordSequence* sequence =
      GEOSCoordSeq_copyFromBuffer_r(handle_, reinterpret_cast<const double*>(points.data()),
                                    static_cast<unsigned>(points.size()), 0, 0);
  if (!sequence)
    fail("a coordinate sequence");
  return take(ring ? GEOSGeom_createLinearRing_r(handle_, sequence)
                   : GEOSGeom_createLineString_r(handle_, sequence),
              "a line");
}

Geometry Context::area_of_rings(const Rings& rings) {
  if (rings.empty())
    return empty_area();
  std::vector<GEOSGeometry*> lines;
  lines.reserve(rings.size());
  try {
    for (const auto& ring : rings)
      lines.push_back(line_of(ring, false).release());
  } catch (...) {
    for (GEOSGeometry* line : lines)
      GEOSGeom_destroy_r(handle_, line);
    throw;
  }
  // The collection owns the lines from here on.
  Geometry collection =
      take(GEOSGeom_createCollection_r(handle_, GEOS_MULTILINESTRING, lines.data(),
                                       static_cast<unsigned>(lines.size())),
           "a collection of rings");
  return valid_area(
      take(GEOSBuildArea_r(handle_, collection.get()), "building an area from rings"));
}

Geometry Context::rectangle(Point low, Point high) {
  return take(GEOSGeom_createRectangle_r(handle_, low.x, low.y, high.x, high.y), "a rectangle");
}

Geometry Context::empty_area() {
  return take(GEOSGeom_createEmptyPolygon_r(handle_), "an empty polygon");
}

Geometry Context::clone(const GEOSGeometry& geometry) {
  return take(GEOSGeom_clone_r(handle_, &geometry), "a copy");
}

Geometry Context::unite(const GEOSGeometry& a, const GEOSGeometry& b) {
  return take(GEOSUnion_r(handle_, &a, &b), "a union");
}

Geometry Context::difference(const GEOSGeometry& a, const GEOSGeometry& b) {
  return valid_area(take(GEOSDifference_r(handle_, &a, &b), "a difference"));
}

Geometry Context::intersection(const GEOSGeometry& a, const GEOSGeometry& b) {
  return valid_area(take(GEOSIntersection_r(handle_, &a, &b), "an intersection"));
}

Geometry Context::valid_area(Geometry geometry) {
  if (!is_valid(*geometry))
    geometry = take(GEOSMakeValid_r(handle_, geometry.get()), "making an area valid");
  const int type = GEOSGeomTypeId_r(handle_, geometry.get());
  if (type == GEOS_POLYGON || type == GEOS_MULTIPOLYGON)
    return geometry;
  // A collection: keep its polygons, dropping the lines and points an overlay may leave.
  std::vector<GEOSGeometry*> polygons;
  const int count = GEOSGetNumGeometries_r(handle_, geometry.get());
  for (int k = 0; k < count; ++k) {
    const GEOSGeometry* part = GEOSGetGeometryN_r(handle_, geometry.get(), k);
    const int part_type = GEOSGeomTypeId_r(handle_, part);
    if (part_type == GEOS_POLYGON || part_type == GEOS_MULTIPOLYGON)
      polygons.push_back(GEOSGeom_clone_r(handle_, part));
  }
  if (polygons.empty())
    return empty_area();
  Geometry collection =
      take(GEOSGeom_createCollection_r(handle_, GEOS_GEOMETRYCOLLECTION, polygons.data(),
                                       static_cast<unsigned>(polygons.size())),
           "a collection of polygons");
  return take(GEOSUnaryUnion_r(handle_, collection.get()), "a union of polygons");
}

bool Context::is_valid(const GEOSGeometry& geometry) {
  const char result = GEOSisValid_r(handle_, &geometry);
  if (result == 2)
    fail("a validity test");
  return result == 1;
}

bool Context::is_empty(const GEOSGeometry& geometry) {
  const char result = GEOSisEmpty_r(handle_, &geometry);
  if (result == 2)
    fail("an emptiness test");
  return result == 1;
}

double Context::area(const GEOSGeometry& geometry) {
  double area = 0;
  if (!GEOSArea_r(handle_, &geometry, &area))
    fail("an area");
  return area;
}

bool Context::covers(const GEOSGeometry& geometry, Point point) {
  Geometry at = take(GEOSGeom_createPointFromXY_r(handle_, point.x, point.y), "a point");
  const char result = GEOSCovers_r(handle_, &geometry, at.get());
  if (result == 2)
    fail("a covers test");
  return result == 1;
}

int Context::vertex_count(const GEOSGeometry& geometry) {
  const int count = GEOSGetNumCoordinates_r(handle_, &geometry);
  if (count < 0)
    fail("a vertex count");
  return count;
}

void Context::add_rings_of_polygon(const GEOSGeometry& polygon, Rings& rings) {
  const auto add = [&](const GEOSGeometry* ring, bool outer) {
    const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(handle_, ring);
    unsigned size = 0;
    if (!sequence || !GEOSCoordSeq_getSize_r(handle_, sequence, &size))
      fail("reading a ring");
    std::vector<Point> points(size);
    if (size > 0 && !GEOSCoordSeq_copyToBuffer_r(handle_, sequence,
                                                 reinterpret_cast<double*>(points.data()), 0, 0))
      fail("reading a ring");
    const bool clockwise = twice_signed_area(points) < 0;
    if (clockwise != outer)
      std::reverse(points.begin(), points.end());
    rings.push_back(std::move(points));
  };
  if (GEOSisEmpty_r(handle_, &polygon) == 1)
    return;
  add(GEOSGetExteriorRing_r(handle_, &polygon), true);
  const int holes = GEOSGetNumInteriorRings_r(handle_, &polygon);
  for (int k = 0; k < holes; ++k)
    add(GEOSGetInteriorRingN_r(handle_, &polygon, k), false);
}

Rings Context::shapefile_rings(const GEOSGeometry& area) {
  Rings rings;
  const int type = GEOSGeomTypeId_r(handle_, &area);
  if (type == GEOS_POLYGON) {
    add_rings_of_polygon(area, rings);
    return rings;
  }
  const int count = GEOSGetNumGeometries_r(handle_, &area);
  for (int k = 0; k < count; ++k) {
    const GEOSGeometry* part = GEOSGetGeometryN_r(handle_, &area, k);
    if (GEOSGeomTypeId_r(handle_, part) == GEOS_POLYGON)
      add_rings_of_polygon(*part, rings);
  }
  return rings;
}

} // namespace tamix::geos
