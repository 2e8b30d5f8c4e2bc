#include <gtest/gtest.h>

#include <cpl_error.h>

#include <algorithm>
#include <cmath>

#include "geometry/ogr_bridge.h"
#include "geometry/shape_access.h"

namespace host {
namespace {

com::ComPtr<HostPolyline> line(std::vector<Path> paths) {
  return make_geometry_as<HostPolyline>(Shape{geometry_polyline, std::move(paths)}, nullptr);
}

com::ComPtr<HostPolygon> square(double x0, double y0, double side) {
  auto polygon = make_geometry_as<HostPolygon>(Shape{geometry_polygon, {}}, nullptr);
  polygon->AddRing({{x0, y0}, {x0, y0 + side}, {x0 + side, y0 + side}, {x0 + side, y0}});
  return polygon;
}

com::ComPtr<HostPoint> point(double x, double y) {
  return make_geometry_as<HostPoint>(make_point(x, y), nullptr);
}

double area_of(const com::ComPtr<HostGeometry>& g) {
  return g.as<HostPolygon>()->Area();
}

TEST(Geometry, CurvesMeasureAndFindPoints) {
  const auto l = line({{{0, 0}, {10, 0}, {10, 10}}});
  EXPECT_DOUBLE_EQ(l->Length(), 20.0);
  auto at = point(0, 0);
  struct {
    double distance;
    bool ratio;
    XY expected;
  } cases[] = {{0.5, true, {10, 0}},
               {0.75, true, {10, 5}},
               {5, false, {5, 0}},
               {-3, false, {0, 0}},
               {1.5, true, {10, 10}}};
  for (const auto& c : cases) {
    ASSERT_EQ(l->QueryPoint(0, c.distance, c.ratio, at.get()), com::S_OK);
    EXPECT_EQ((XY{at->X(), at->Y()}), c.expected) << c.distance;
  }

  double along = -1, from = -1;
  bool right = false;
  ASSERT_EQ(l->QueryPointAndDistance(0, point(4, -3).get(), true, at.get(), &along, &from, &right),
            com::S_OK);
  EXPECT_EQ((XY{at->X(), at->Y()}), (XY{4, 0}));
  EXPECT_DOUBLE_EQ(along, 0.2);
  EXPECT_DOUBLE_EQ(from, 3.0);
  EXPECT_TRUE(right);
  const auto empty = line({});
  EXPECT_TRUE(com::FAILED(empty->QueryPoint(0, 0.5, true, at.get())));

  EXPECT_EQ(l.as<HostPointCollection>()->PointCount(), 3);
  EXPECT_EQ(l.as<HostPointCollection>()->Point(2)->Y(), 10.0);
  EXPECT_FALSE(l.as<HostPointCollection>()->Point(3));
}

TEST(Geometry, UnionJoinsLinesEndToEndInTheirOrder) {
  // The second link is drawn backwards; the union still runs from the first one's start.
  const auto a = line({{{0, 0}, {1, 0}}});
  const auto b = line({{{2, 0}, {2, 0}, {1, 0}}});
  ASSERT_EQ(b.as<HostTopologicalOperator>()->Simplify(), com::S_OK);
  com::ComPtr<HostGeometry> joined;
  ASSERT_EQ(a.as<HostTopologicalOperator>()->Union(b.get(), &joined), com::S_OK);
  const auto polyline = joined.as<HostPolyline>();
  ASSERT_EQ(polyline->PathCount(), 1);
  EXPECT_EQ(polyline->PathAt(0), (Path{{0, 0}, {1, 0}, {2, 0}}));

  // Three ends at one node: no join through the junction.
  const auto fork = line({{{1, 0}, {1, 1}}});
  com::ComPtr<HostGeometry> three;
  ASSERT_EQ(joined.as<HostTopologicalOperator>()->Union(fork.get(), &three), com::S_OK);
  EXPECT_EQ(three.as<HostPolyline>()->PathCount(), 2);
  // Shared segments count once: a line united with itself, or with a piece of itself.
  com::ComPtr<HostGeometry> same;
  ASSERT_EQ(joined.as<HostTopologicalOperator>()->Union(joined.get(), &same), com::S_OK);
  EXPECT_EQ(same.as<HostPolyline>()->PathAt(0), (Path{{0, 0}, {1, 0}, {2, 0}}));
  ASSERT_EQ(joined.as<HostTopologicalOperator>()->Union(b.get(), &same), com::S_OK);
  EXPECT_DOUBLE_EQ(same.as<HostPolyline>()->Length(), 2.0);
  EXPECT_TRUE(a.as<HostRelationalOperator>()->Touches(b.get()));
  EXPECT_FALSE(a.as<HostRelationalOperator>()->Touches(line({{{5, 5}, {6, 6}}}).get()));
}

TEST(Geometry, PolygonsWithHolesAndSetOperations) {
  auto ring = square(0, 0, 10);
  ring->AddRing({{2, 2}, {4, 2}, {4, 4}, {2, 4}}); // counter-clockwise: a hole
  EXPECT_DOUBLE_EQ(ring->Area(), 96.0);
  const auto topo = ring.as<HostTopologicalOperator>();
  const auto relations = ring.as<HostRelationalOperator>();
  EXPECT_TRUE(relations->Contains(point(5, 5).get()));
  EXPECT_FALSE(relations->Contains(point(3, 3).get()));
  EXPECT_TRUE(relations->Intersects(square(8, 8, 5).get()));
  EXPECT_FALSE(relations->Intersects(square(20, 20, 1).get()));

  com::ComPtr<HostGeometry> result;
  ASSERT_EQ(topo->Intersect(square(5, 5, 10).get(), dimension_areas, &result), com::S_OK);
  EXPECT_DOUBLE_EQ(area_of(result), 25.0);
  ASSERT_EQ(topo->Union(square(10, 0, 10).get(), &result), com::S_OK);
  EXPECT_DOUBLE_EQ(area_of(result), 196.0);
  EXPECT_EQ(result.as<HostPolygon>()->RingCount(), 2); // the hole survives
  ASSERT_EQ(topo->Difference(square(0, 0, 5).get(), &result), com::S_OK);
  EXPECT_DOUBLE_EQ(area_of(result), 75.0);

  auto box = make_geometry_as<HostEnvelope>(Shape{geometry_envelope, {}}, nullptr);
  box->PutCoords(5, 0, 0, 10); // corners in any order
  ASSERT_EQ(topo->QueryClipped(box.get(), &result), com::S_OK);
  EXPECT_DOUBLE_EQ(area_of(result), 46.0);

  ASSERT_EQ(point(0, 0).as<HostTopologicalOperator>()->Buffer(1.0, &result), com::S_OK);
  EXPECT_NEAR(area_of(result), M_PI, 0.01);

  // A ring drawn the wrong way round (a bow tie too) is put right by Simplify.
  auto bow = make_geometry_as<HostPolygon>(Shape{geometry_polygon, {}}, nullptr);
  bow->AddRing({{0, 0}, {2, 2}, {2, 0}, {0, 2}});
  ASSERT_EQ(bow.as<HostTopologicalOperator>()->Simplify(), com::S_OK);
  EXPECT_DOUBLE_EQ(bow->Area(), 2.0);
}

Path square_ring(double x0, double y0, double side, bool clockwise) {
  Path ring{{x0, y0}, {x0 + side, y0}, {x0 + side, y0 + side}, {x0, y0 + side}, {x0, y0}};
  if (clockwise)
    std::reverse(ring.begin(), ring.end());
  return ring;
}

int library_messages = 0;
void CPL_STDCALL count_message(CPLErr, CPLErrorNum, const char*) {
  ++library_messages;
}

// Zones come with hundreds of rings, in no promised order or orientation. Each of 144 cells:
// an outline of 100, a hole of 36 and an island of 4 in the hole, listed island first and
// every other cell drawn the other way round; only containment tells what each ring is.
TEST(Geometry, ManyRingsArePolygonsByContainmentWhateverTheirOrderAndOrientation) {
  Shape cells{geometry_polygon, {}};
  for (int i = 0; i < 144; ++i) {
    const double x = (i % 12) * 20.0, y = (i / 12) * 20.0;
    const bool turned = i % 2 == 1;
    cells.parts.push_back(square_ring(x + 4, y + 4, 2, !turned));
    cells.parts.push_back(square_ring(x + 2, y + 2, 6, turned));
    cells.parts.push_back(square_ring(x, y, 10, !turned));
  }
  const Shape everything{geometry_polygon, {square_ring(-5, -5, 250, true)}};
  library_messages = 0;
  CPLPushErrorHandler(count_message);
  const Shape kept = intersection_of(cells, everything, dimension_areas);
  CPLPopErrorHandler();

  double area = 0;
  for (const auto& ring : kept.parts)
    area -= signed_area(ring); // outlines run clockwise, holes the other way
  EXPECT_NEAR(area, 144 * (100.0 - 36.0 + 4.0), 1e-6);
  EXPECT_EQ(kept.parts.size(), 3u * 144);
  EXPECT_EQ(library_messages, 0);
}

TEST(Geometry, EnvelopesExpandAndUnite) {
  auto box = point(10, 20)->Envelope();
  EXPECT_TRUE(box->Width() == 0 && !box->IsEmpty());
  box->Expand(5, 2, false);
  EXPECT_EQ((std::vector<double>{box->XMin(), box->YMin(), box->XMax(), box->YMax()}),
            (std::vector<double>{5, 18, 15, 22}));
  box->Expand(2, 0.5, true);
  EXPECT_EQ((std::vector<double>{box->XMin(), box->YMin(), box->XMax(), box->YMax()}),
            (std::vector<double>{0, 19, 20, 21}));
  box->Union(square(30, 30, 1)->Envelope().get());
  EXPECT_EQ(box->XMax(), 31.0);
  EXPECT_EQ(line({{{0, 0}, {3, 4}}})->Envelope()->Height(), 4.0);
}

} // namespace
} // namespace host
