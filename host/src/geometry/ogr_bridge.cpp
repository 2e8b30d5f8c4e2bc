#include "geometry/ogr_bridge.h"

#include <cpl_error.h>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "data/host_error.h"
#include "geometry/path_merge.h"
#include "geometry/ring_winding.h"

namespace host {

namespace {

using OgrPtr = OGRGeometryUniquePtr;

std::unique_ptr<OGRLinearRing> ring_of(const Path& ring) {
  auto r = std::make_unique<OGRLinearRing>();
  for (const auto& p : ring)
    r->addPoint(p.x, p.y);
  r->closeRings();
  return r;
}

std::unique_ptr<OGRPolygon> polygon_of(const Box& box) {
  auto poly = std::make_unique<OGRPolygon>();
  poly->addRingDirectly(ring_of({{box.xmin, box.ymin},
                                 {box.xmin, box.ymax},
                                 {box.xmax, box.ymax},
                                 {box.xmax, box.ymin},
                                 {box.xmin, box.ymin}})
                            .release());
  return poly;
}

// Rings are sorted into polygons by containment, so either orientation is understood: each
// ring inside an even number of others is a polygon's outline, with the holes whose innermost
// ring around them it is.
OgrPtr polygon_geometry(const Shape& shape) {
  std::vector<Path> rings;
  for (const auto& ring : shape.parts)
    if (ring.size() >= 3)
      rings.push_back(ring);
  if (rings.empty())
    return OgrPtr(new OGRPolygon());
  const RingNesting nesting = ring_nesting(rings);
  std::vector<std::unique_ptr<OGRPolygon>> polygons(rings.size());
  for (std::size_t r = 0; r < rings.size(); ++r)
    if (!nesting.hole[r]) {
      polygons[r] = std::make_unique<OGRPolygon>();
      polygons[r]->addRingDirectly(ring_of(rings[r]).release());
    }
  for (std::size_t r = 0; r < rings.size(); ++r)
    if (nesting.hole[r] && nesting.around[r] && polygons[*nesting.around[r]])
      polygons[*nesting.around[r]]->addRingDirectly(ring_of(rings[r]).release());
  std::vector<std::unique_ptr<OGRPolygon>> outlines;
  for (auto& polygon : polygons)
    if (polygon)
      outlines.push_back(std::move(polygon));
  if (outlines.size() == 1)
    return OgrPtr(outlines.front().release());
  auto multi = std::make_unique<OGRMultiPolygon>();
  for (auto& polygon : outlines)
    multi->addGeometryDirectly(polygon.release());
  return OgrPtr(multi.release());
}

OgrPtr to_ogr(const Shape& shape) {
  switch (shape.type) {
  case geometry_point: {
    if (shape.empty())
      return OgrPtr(new OGRPoint());
    const auto& p = shape.parts.front().front();
    return OgrPtr(new OGRPoint(p.x, p.y));
  }
  case geometry_multipoint: {
    auto multi = new OGRMultiPoint();
    for (const auto& part : shape.parts)
      for (const auto& p : part)
        multi->addGeometryDirectly(new OGRPoint(p.x, p.y));
    return OgrPtr(multi);
  }
  case geometry_polyline: {
    auto multi = new OGRMultiLineString();
    for (const auto& part : shape.parts) {
      auto line = new OGRLineString();
      for (const auto& p : part)
        line->addPoint(p.x, p.y);
      multi->addGeometryDirectly(line);
    }
    return OgrPtr(multi);
  }
  case geometry_polygon:
    return polygon_geometry(shape);
  case geometry_envelope: {
    if (shape.empty())
      return OgrPtr(new OGRPolygon());
    return OgrPtr(polygon_of(shape.bounds()).release());
  }
  default:
    throw HostError("geometry of type " + std::to_string(shape.type) + " cannot be processed");
  }
}

Path path_of(const OGRSimpleCurve& line) {
  Path path;
  for (int i = 0; i < line.getNumPoints(); ++i)
    path.push_back({line.getX(i), line.getY(i)});
  return path;
}

// Outer rings clockwise, holes counter-clockwise.
void add_polygon(const OGRPolygon& poly, Shape& out) {
  for (int r = 0; r < poly.getNumInteriorRings() + 1; ++r) {
    const OGRLinearRing* ring = r == 0 ? poly.getExteriorRing() : poly.getInteriorRing(r - 1);
    if (!ring || ring->getNumPoints() < 4)
      continue;
    Path path = path_of(*ring);
    const bool clockwise = signed_area(path) < 0;
    if (clockwise != (r == 0))
      std::reverse(path.begin(), path.end());
    out.parts.push_back(std::move(path));
  }
}

// Collects the parts of `g` of one dimension (0 points, 1 lines, 2 areas) into `out`.
void collect(const OGRGeometry& g, int dimension, Shape& out) {
  const auto type = wkbFlatten(g.getGeometryType());
  if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
    for (const auto* part : *g.toGeometryCollection())
      collect(*part, dimension, out);
    return;
  }
  if (g.IsEmpty() || g.getDimension() != dimension)
    return;
  if (type == wkbPoint) {
    if (out.parts.empty())
      out.parts.emplace_back();
    out.parts.front().push_back({g.toPoint()->getX(), g.toPoint()->getY()});
  } else if (type == wkbLineString || type == wkbLinearRing) {
    out.parts.push_back(path_of(*g.toSimpleCurve()));
  } else if (type == wkbPolygon) {
    add_polygon(*g.toPolygon(), out);
  }
}

Shape from_ogr(const OGRGeometry* g, int type) {
  Shape out{type, {}};
  if (!g)
    return out;
  const int dimension = type == geometry_polygon ? 2 : type == geometry_polyline ? 1 : 0;
  collect(*g, dimension, out);
  if (type == geometry_point && out.vertex_count() > 1)
    out.type = geometry_multipoint;
  if (type == geometry_polyline)
    out.parts = merge_paths(std::move(out.parts));
  return out;
}

int type_of_dimension(int dimension_code) {
  switch (dimension_code) {
  case dimension_points:
    return geometry_multipoint;
  case dimension_lines:
    return geometry_polyline;
  case dimension_areas:
    return geometry_polygon;
  default:
    throw HostError("dimension code " + std::to_string(dimension_code) + " is not known",
                    com::E_INVALIDARG);
  }
}

// An operation's result has the kind of its first operand (an envelope counts as a polygon).
int result_type(const Shape& a) {
  return a.type == geometry_envelope ? geometry_polygon : a.type;
}

// The geometry library's reason for a failure, for the message that names what failed.
std::string failure_reason() {
  if (CPLGetLastErrorType() < CE_Failure || !*CPLGetLastErrorMsg())
    return {};
  return std::string(": ") + CPLGetLastErrorMsg();
}

// Runs an operation that answers null when it fails.
template <class Operation> OgrPtr computed(const char* what, Operation operation) {
  CPLErrorReset();
  OgrPtr result(operation());
  if (!result)
    throw HostError(std::string("the geometry library could not compute the ") + what +
                    failure_reason());
  return result;
}
} // namespace

bool relate(const Shape& a, const Shape& b, Relation relation) {
  if (a.empty() || b.empty())
    return false;
  const auto ga = to_ogr(a);
  const auto gb = to_ogr(b);
  CPLErrorReset();
  bool answer = false;
  switch (relation) {
  case Relation::contains:
    answer = ga->Contains(gb.get());
    break;
  case Relation::within:
    answer = ga->Within(gb.get());
    break;
  case Relation::intersects:
    answer = ga->Intersects(gb.get());
    break;
  case Relation::disjoint:
    answer = ga->Disjoint(gb.get());
    break;
  case Relation::touches:
    answer = ga->Touches(gb.get());
    break;
  case Relation::equals:
    answer = ga->Equals(gb.get());
    break;
  }
  // A failed test answers false, which would pass for a real answer.
  if (CPLGetLastErrorType() >= CE_Failure)
    throw HostError("the geometry library could not compare two shapes" + failure_reason());
  return answer;
}

Shape make_valid_polygon(const Shape& polygon) {
  if (polygon.type != geometry_polygon || polygon.empty())
    return polygon;
  const auto g = to_ogr(polygon);
  // An invalid polygon is expected here; GEOS's notice of it is not worth printing.
  CPLPushErrorHandler(CPLQuietErrorHandler);
  const bool valid = g->IsValid();
  CPLPopErrorHandler();
  if (valid)
    return from_ogr(g.get(), geometry_polygon);
  return from_ogr(computed("valid polygon", [&] { return g->MakeValid(); }).get(),
                  geometry_polygon);
}

Shape union_of(const Shape& a, const Shape& b) {
  // Lines are joined end to end rather than noded, so a route keeps its course and order;
  // segments they share count once.
  if (a.type == geometry_polyline && b.type == geometry_polyline) {
    auto paths = clean_paths(a.parts);
    const auto more = clean_paths(b.parts);
    paths.insert(paths.end(), more.begin(), more.end());
    return Shape{geometry_polyline, merge_paths(without_repeated_segments(paths))};
  }
  if (b.empty())
    return a;
  if (a.empty())
    return b;
  return from_ogr(computed("union", [&] { return to_ogr(a)->Union(to_ogr(b).get()); }).get(),
                  result_type(a));
}

Shape intersection_of(const Shape& a, const Shape& b, int dimension) {
  const int type = type_of_dimension(dimension);
  if (a.empty() || b.empty())
    return Shape{type, {}};
  return from_ogr(
      computed("intersection", [&] { return to_ogr(a)->Intersection(to_ogr(b).get()); }).get(),
      type);
}

Shape difference_of(const Shape& a, const Shape& b) {
  if (a.empty() || b.empty())
    return a;
  return from_ogr(
      computed("difference", [&] { return to_ogr(a)->Difference(to_ogr(b).get()); }).get(),
      result_type(a));
}

Shape buffer_of(const Shape& shape, double distance) {
  if (shape.empty())
    return Shape{geometry_polygon, {}};
  return from_ogr(computed("buffer", [&] { return to_ogr(shape)->Buffer(distance); }).get(),
                  geometry_polygon);
}

Shape clipped_to(const Shape& shape, const Box& box) {
  const int type = result_type(shape);
  if (shape.empty() || box.empty)
    return Shape{type, {}};
  const auto clip = polygon_of(box);
  return from_ogr(computed("clip", [&] { return to_ogr(shape)->Intersection(clip.get()); }).get(),
                  type);
}

Shape projected(const Shape& shape, const std::string& from_wkt, const std::string& to_wkt) {
  OGRSpatialReference from, to;
  if (from.SetFromUserInput(from_wkt.c_str()) != OGRERR_NONE ||
      to.SetFromUserInput(to_wkt.c_str()) != OGRERR_NONE)
    throw HostError("a coordinate system cannot be read for the projection");
  from.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  to.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  std::unique_ptr<OGRCoordinateTransformation> transform(
      OGRCreateCoordinateTransformation(&from, &to));
  if (!transform)
    throw HostError("no transformation between the two coordinate systems");

  Shape source = shape;
  if (shape.type == geometry_envelope && !shape.empty()) {
    // The border, densified, so that a curved image of an edge stays inside the new box.
    const Box b = shape.bounds();
    Path border;
    constexpr int steps = 16;
    for (int i = 0; i <= steps; ++i) {
      const double t = static_cast<double>(i) / steps;
      border.push_back({b.xmin + t * (b.xmax - b.xmin), b.ymin});
      border.push_back({b.xmin + t * (b.xmax - b.xmin), b.ymax});
      border.push_back({b.xmin, b.ymin + t * (b.ymax - b.ymin)});
      border.push_back({b.xmax, b.ymin + t * (b.ymax - b.ymin)});
    }
    source.parts = {border};
  }
  for (auto& part : source.parts) {
    std::vector<double> xs, ys;
    for (const auto& p : part) {
      xs.push_back(p.x);
      ys.push_back(p.y);
    }
    if (!part.empty() && !transform->Transform(static_cast<int>(part.size()), xs.data(), ys.data()))
      throw HostError("a coordinate lies outside the target coordinate system");
    for (std::size_t i = 0; i < part.size(); ++i)
      part[i] = {xs[i], ys[i]};
  }
  if (shape.type == geometry_envelope && !shape.empty())
    return make_envelope(source.bounds());
  return source;
}

} // namespace host
