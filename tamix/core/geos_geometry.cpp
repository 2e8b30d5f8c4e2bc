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
  // Outer rings run counter-clockwise, holes clockwise. A hole belongs to the smallest outer
  // ring around it: rings never cross, so the outer rings around a hole nest, and one point of
  // the hole tells: the middle of its first edge, as a hole may touch its outer ring at a vertex.
  // (GEOS's own area builder tests every hole against every ring point by point, which takes
  // seconds for a city's thousands of blocks; a prepared ring is indexed.)
  struct Outer {
    std::size_t ring;
    double area;
    Point low, high;
    Geometry polygon; // the ring alone, to test holes against
    const GEOSPreparedGeometry* prepared = nullptr;
    std::vector<std::size_t> holes;
  };
  std::vector<Outer> outers;
  std::vector<std::size_t> holes;
  const auto box_of = [](const std::vector<Point>& ring, Point& low, Point& high) {
    low = high = ring.front();
    for (const Point& p : ring) {
      low = {std::min(low.x, p.x), std::min(low.y, p.y)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
  };
  for (std::size_t k = 0; k < rings.size(); ++k) {
    const double area = twice_signed_area(rings[k]);
    if (area < 0) {
      holes.push_back(k);
      continue;
    }
    Outer outer{k, area, {}, {}, nullptr, nullptr, {}};
    box_of(rings[k], outer.low, outer.high);
    outers.push_back(std::move(outer));
  }
  std::sort(outers.begin(), outers.end(),
            [](const Outer& a, const Outer& b) { return a.area < b.area; });
  struct Release {
    GEOSContextHandle_t handle;
    std::vector<Outer>& outers;
    ~Release() {
      for (Outer& outer : outers)
        if (outer.prepared)
          GEOSPreparedGeom_destroy_r(handle, outer.prepared);
    }
  } release{handle_, outers};
  const auto contains = [&](Outer& outer, Point p) {
    if (!outer.prepared) {
      outer.polygon = take(
          GEOSGeom_createPolygon_r(handle_, line_of(rings[outer.ring], true).release(), nullptr, 0),
          "a polygon");
      outer.prepared = GEOSPrepare_r(handle_, outer.polygon.get());
      if (!outer.prepared)
        fail("preparing a polygon");
    }
    Geometry point = take(GEOSGeom_createPointFromXY_r(handle_, p.x, p.y), "a point");
    const char result = GEOSPreparedContains_r(handle_, outer.prepared, point.get());
    if (result == 2)
      fail("a contains test");
    return result == 1;
  };
  for (std::size_t hole : holes) {
    Point low, high;
    box_of(rings[hole], low, high);
    for (Outer& outer : outers)
      if (outer.low.x <= low.x && outer.low.y <= low.y && outer.high.x >= high.x &&
          outer.high.y >= high.y &&
          contains(outer, {(rings[hole][0].x + rings[hole][1].x) / 2,
                           (rings[hole][0].y + rings[hole][1].y) / 2})) {
        outer.holes.push_back(hole);
        break;
      }
  }

  std::vector<GEOSGeometry*> polygons;
  const auto release_polygons = [&] {
    for (GEOSGeometry* polygon : polygons)
      GEOSGeom_destroy_r(handle_, polygon);
  };
  try {
    for (const Outer& outer : outers) {
      std::vector<GEOSGeometry*> inner;
      for (std::size_t hole : outer.holes)
        inner.push_back(line_of(rings[hole], true).release());
      GEOSGeometry* shell = line_of(rings[outer.ring], true).release();
      GEOSGeometry* polygon = GEOSGeom_createPolygon_r(handle_, shell, inner.data(),
                                                       static_cast<unsigned>(inner.size()));
      if (!polygon)
        fail("a polygon");
      polygons.push_back(polygon);
    }
  } catch (...) {
    release_polygons();
    throw;
  }
  // The collection owns the polygons from here on. It is valid as built: its rings neither cross
  // nor touch and every hole lies in its own outer ring (a check by GEOS would test each hole
  // against the whole outer ring, seconds on a city).
  return take(GEOSGeom_createCollection_r(handle_, GEOS_MULTIPOLYGON, polygons.data(),
                                          static_cast<unsigned>(polygons.size())),
              "a multipolygon");
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
  return polygons_of(take(GEOSDifference_r(handle_, &a, &b), "a difference"));
}

Geometry Context::intersection(const GEOSGeometry& a, const GEOSGeometry& b) {
  return polygons_of(take(GEOSIntersection_r(handle_, &a, &b), "an intersection"));
}

Geometry Context::polygons_of(Geometry geometry) {
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
