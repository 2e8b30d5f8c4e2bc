#include "fixture.h"

#include "centres.h"
#include "costs.h"
#include "geos_geometry.h"
#include "map_units.h"
#include "search.h"
#include "zone_polygons.h"

#include <proj.h>

#include <algorithm>
#include <memory>

namespace tamix::test {
namespace {

// UTM zone 32 north (WGS 84) and longitude, latitude in degrees.
class Utm {
public:
  Utm()
      : context_(proj_context_create()),
        to_utm_(proj_create(context_, "+proj=pipeline +step +proj=unitconvert +xy_in=deg "
                                      "+xy_out=rad +step +proj=utm +zone=32 +ellps=WGS84")) {}
  ~Utm() {
    proj_destroy(to_utm_);
    proj_context_destroy(context_);
  }
  Utm(const Utm&) = delete;
  Utm& operator=(const Utm&) = delete;
  Point degrees(Point p) const { return go(p, PJ_INV); }
  Point metres(Point p) const { return go(p, PJ_FWD); }

private:
  Point go(Point p, PJ_DIRECTION direction) const {
    const PJ_COORD c = proj_trans(to_utm_, direction, proj_coord(p.x, p.y, 0, 0));
    return {c.xy.x, c.xy.y};
  }
  PJ_CONTEXT* context_;
  PJ* to_utm_;
};

// Costs are kilometres. 200 m links and a radius of 150 m: the blocks fill in, so a zone is one
// outline whose length is about that of its box.
constexpr double spacing = 200;
constexpr double radius = 150;
constexpr double cell = radius / 2; // the zone grid's sample spacing at this size
// On the central meridian at 57.7° N, where a degree of longitude is 53 % of one of latitude.
constexpr Point south_west{500000, 6395000};

struct Box {
  Point low{1e300, 1e300}, high{-1e300, -1e300};
};

// One street grid, built once in UTM metres and once in degrees, searched from the same nodes.
class ZonesInDegrees : public ::testing::Test {
protected:
  struct Built {
    TempFolder folder;
    Network network;
    std::unique_ptr<Search> search;
    ArcCosts costs;
    CentreOwners owners;
  };
  ZonesInDegrees() {
    const auto in_metres = grid_records(7, 7, spacing);
    std::vector<Record> at_utm, in_degrees;
    for (const Record& record : in_metres) {
      Record metres, degrees;
      for (const auto& part : record.parts) {
        metres.parts.emplace_back();
        degrees.parts.emplace_back();
        for (const Point& p : part) {
          const Point at{south_west.x + p.x, south_west.y + p.y};
          metres.parts.back().push_back(at);
          degrees.parts.back().push_back(utm_.degrees(at));
        }
      }
      at_utm.push_back(metres);
      in_degrees.push_back(degrees);
    }
    // A road far south, out of reach: the network's middle lies near 49° N, the zones' at 57.7°.
    const Point far_south[] = {{9, 40}, {9.001, 40}};
    at_utm.push_back(line({utm_.metres(far_south[0]), utm_.metres(far_south[1])}));
    in_degrees.push_back(line({far_south[0], far_south[1]}));
    build(metres_, at_utm, 7);
    build(degrees_, in_degrees, map_units_degree);
  }
  void build(Built& built, const std::vector<Record>& records, int map_units) {
    write_shapefile(built.folder.path(), "net", records);
    built.network = build_and_load(built.folder.path(), "net", map_units);
    built.search = std::make_unique<Search>(built.network);
    compute_arc_costs(built.network, CostSettings{}, Weights{}, built.costs);
  }
  // The nodes of the grid points (in metres from its south-west corner) in `built`.
  std::vector<NodeId> nodes(const Built& built, const std::vector<Point>& places) {
    std::vector<NodeId> result;
    for (const Point& p : places) {
      const Point at{south_west.x + p.x, south_west.y + p.y};
      result.push_back(node_at(built.network, &built == &degrees_ ? utm_.degrees(at) : at));
    }
    return result;
  }
  std::vector<geos::Geometry> zones(Built& built, const std::vector<Point>& centres,
                                    const std::vector<double>& limits) {
    const auto at = nodes(built, centres);
    solve_from_centres(*built.search, built.costs, at,
                       *std::max_element(limits.begin(), limits.end()), built.owners);
    ZoneOptions options;
    options.radius = radius;
    return zone_areas(geometry_, *built.search, built.costs, at, limits, options);
  }
  std::vector<geos::Geometry> nearest(Built& built, const std::vector<Point>& centres) {
    const auto at = nodes(built, centres);
    solve_from_centres(*built.search, built.costs, at, 0, built.owners);
    ZoneOptions options;
    options.radius = radius;
    return nearest_centre_areas(geometry_, *built.search, built.costs, built.owners, at.size(),
                                options);
  }
  // An area in degrees taken to UTM metres, point by point.
  geos::Geometry in_utm(const geos::Geometry& area) {
    geos::Rings rings = geometry_.shapefile_rings(*area);
    for (auto& ring : rings) {
      for (Point& p : ring)
        p = utm_.metres(p);
      std::reverse(ring.begin(), ring.end()); // back to the inside on the left
    }
    return geometry_.area_of_rings(rings);
  }
  Box box_of(const geos::Geometry& area) {
    Box box;
    for (const auto& ring : geometry_.shapefile_rings(*area))
      for (const Point& p : ring) {
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y)};
      }
    return box;
  }
  // The zone in degrees lies, in UTM, within a grid cell of the zone in metres: its box's sides
  // within a cell, and the areas that only one of them covers no wider than a cell along the
  // outline.
  void expect_alike(const geos::Geometry& in_metres, const geos::Geometry& in_degrees) {
    ASSERT_FALSE(geometry_.is_empty(*in_metres));
    const geos::Geometry reprojected = in_utm(in_degrees);
    const Box a = box_of(in_metres), b = box_of(reprojected);
    EXPECT_NEAR(b.low.x, a.low.x, cell);
    EXPECT_NEAR(b.high.x, a.high.x, cell);
    EXPECT_NEAR(b.low.y, a.low.y, cell);
    EXPECT_NEAR(b.high.y, a.high.y, cell);
    const double outline = 2 * (a.high.x - a.low.x + a.high.y - a.low.y);
    const double apart = geometry_.area(*geometry_.difference(*in_metres, *reprojected)) +
                         geometry_.area(*geometry_.difference(*reprojected, *in_metres));
    EXPECT_LT(apart, cell * outline / 4);
    EXPECT_NEAR(geometry_.area(*reprojected), geometry_.area(*in_metres), cell * outline / 4);
  }

  Utm utm_;
  geos::Context geometry_;
  Built metres_, degrees_;
};

TEST_F(ZonesInDegrees, AreTheZonesOfTheSameGridInMetres) {
  const std::vector<double> limits{0.3, 0.7};
  const std::vector<Point> centre{{600, 600}};
  const auto in_metres = zones(metres_, centre, limits);
  const auto in_degrees = zones(degrees_, centre, limits);
  for (std::size_t k = 0; k < limits.size(); ++k) {
    SCOPED_TRACE("limit " + std::to_string(limits[k]));
    expect_alike(in_metres[k], in_degrees[k]);
  }
}

TEST_F(ZonesInDegrees, ShareTheGridAmongNearestCentresAsInMetres) {
  const std::vector<Point> centres{{200, 200}, {1000, 400}, {400, 1200}};
  const auto in_metres = nearest(metres_, centres);
  const auto in_degrees = nearest(degrees_, centres);
  for (std::size_t k = 0; k < centres.size(); ++k) {
    SCOPED_TRACE("centre " + std::to_string(k + 1));
    expect_alike(in_metres[k], in_degrees[k]);
  }
}

TEST_F(ZonesInDegrees, WidenByTheMedianLinkInMetres) {
  EXPECT_DOUBLE_EQ(default_zone_radius(metres_.network), spacing);
  EXPECT_NEAR(default_zone_radius(degrees_.network), spacing, 0.5);
}

} // namespace
} // namespace tamix::test
