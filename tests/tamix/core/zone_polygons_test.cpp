#include "fixture.h"

#include "centres.h"
#include "costs.h"
#include "error_matchers.h"
#include "geos_geometry.h"
#include "ring_difference.h"
#include "search.h"
#include "zone_lattice.h"
#include "zone_polygons.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>
#include <thread>

namespace tamix::test {
namespace {

// Costs are kilometres: a link of 1000 m costs 1.
constexpr double radius = 30;

// A drawn network loaded with its distance costs, searched from centres.
class Zones : public ::testing::Test {
protected:
  void load(const std::vector<Record>& records) {
    write_shapefile(folder_.path(), "net", records);
    network_ = build_and_load(folder_.path(), "net");
    search_ = std::make_unique<Search>(network_);
  }
  void close(LinkId link) { settings_.close_link(network_, link); }
  std::vector<NodeId> nodes(const std::vector<Point>& places) {
    std::vector<NodeId> result;
    for (const Point& p : places)
      result.push_back(node_at(network_, p));
    return result;
  }
  std::vector<geos::Geometry> zones(const std::vector<Point>& centres,
                                    const std::vector<double>& limits, ZoneOptions options = {}) {
    compute_arc_costs(network_, settings_, Weights{}, costs_);
    const auto at = nodes(centres);
    solve_from_centres(*search_, costs_, at, *std::max_element(limits.begin(), limits.end()),
                       owners_);
    options.radius = radius;
    return zone_areas(geometry_, *search_, costs_, at, limits, options);
  }
  std::vector<geos::Geometry> nearest(const std::vector<Point>& centres, ZoneOptions options = {}) {
    compute_arc_costs(network_, settings_, Weights{}, costs_);
    const auto at = nodes(centres);
    solve_from_centres(*search_, costs_, at, 0, owners_);
    options.radius = radius;
    return nearest_centre_areas(geometry_, *search_, costs_, owners_, at.size(), options);
  }

  double area(const geos::Geometry& g) { return geometry_.area(*g); }
  double area_of_difference(const geos::Geometry& a, const geos::Geometry& b) {
    return area(geometry_.difference(*a, *b));
  }
  double area_of_intersection(const geos::Geometry& a, const geos::Geometry& b) {
    return area(geometry_.intersection(*a, *b));
  }
  ::testing::AssertionResult all_valid(const std::vector<geos::Geometry>& areas) {
    for (std::size_t k = 0; k < areas.size(); ++k)
      if (!geometry_.is_valid(*areas[k]))
        return ::testing::AssertionFailure() << "area " << k << " is not valid";
    return ::testing::AssertionSuccess();
  }

  TempFolder folder_;
  Network network_;
  std::unique_ptr<Search> search_;
  CostSettings settings_;
  ArcCosts costs_;
  CentreOwners owners_;
  geos::Context geometry_;
};

// 5 x 5 nodes 100 m apart: the centre in the middle at (200, 200). Three zones far apart, and
// forty zones so close that the outlines of neighbours share and touch most of their way.
TEST_F(Zones, NestOnAGridAndRingsSplitTheLargestZone) {
  load(grid_records(5, 5, 100));
  std::vector<double> close_limits;
  for (int k = 1; k <= 40; ++k)
    close_limits.push_back(0.01 * k);
  for (const auto& limits : {std::vector<double>{0.1, 0.2, 0.3}, close_limits}) {
    SCOPED_TRACE(std::to_string(limits.size()) + " zones");
    const auto full = zones({{200, 200}}, limits);
    ZoneOptions as_rings;
    as_rings.rings = true;
    const auto rings = zones({{200, 200}}, limits, as_rings);
    ASSERT_TRUE(all_valid(full));
    ASSERT_TRUE(all_valid(rings));
    for (std::size_t k = 0; k + 1 < full.size(); ++k) {
      EXPECT_GT(area(full[k]), 0);
      EXPECT_LT(area(full[k]), area(full[k + 1]));
      EXPECT_LT(area_of_difference(full[k], full[k + 1]), 1e-6 * area(full[k])) << "zone " << k;
    }
    double ring_total = 0;
    for (std::size_t k = 0; k < rings.size(); ++k) {
      ring_total += area(rings[k]);
      EXPECT_NEAR(area(rings[k]), k == 0 ? area(full[0]) : area(full[k]) - area(full[k - 1]),
                  1e-6 * area(full.back()))
          << "ring " << k;
      for (std::size_t j = k + 1; j < rings.size(); ++j)
        EXPECT_LT(area_of_intersection(rings[k], rings[j]), 1e-6 * area(full.back()));
    }
    EXPECT_NEAR(ring_total, area(full.back()), 1e-6 * area(full.back()));
    EXPECT_NEAR(area(rings[0]), area(full[0]), 1e-9 * area(full[0]));
  }
}

TEST_F(Zones, HoldTheReachedNetworkAndNothingFarFromIt) {
  load(grid_records(5, 5, 100));
  const auto zone = zones({{200, 200}}, {0.15});
  // 150 m from the centre along the links: the middle of the links next to the first nodes.
  for (Point reached : {Point{200, 200}, Point{350, 200}, Point{300, 250}, Point{200, 50}})
    EXPECT_TRUE(geometry_.covers(*zone[0], reached)) << reached.x << " " << reached.y;
  // Farther than the radius (and a sample spacing) from everything reached.
  for (Point far : {Point{200, 400}, Point{0, 0}, Point{400, 250}, Point{300, 300}})
    EXPECT_FALSE(geometry_.covers(*zone[0], far)) << far.x << " " << far.y;
}

// A --1-- B --2-- C, each link 1000 m, and a separate link D --3-- E far away.
std::vector<Record> line_and_island() {
  return {line({{0, 0}, {1000, 0}}), line({{1000, 0}, {2000, 0}}), line({{0, 5000}, {1000, 5000}})};
}

TEST_F(Zones, StopAtTheCostAlongALinkAClosureAndAnotherPartOfTheNetwork) {
  load(line_and_island());
  close(2);
  const auto zone = zones({{0, 0}}, {0.4, 3});
  EXPECT_TRUE(geometry_.covers(*zone[0], {390, 0}));
  EXPECT_FALSE(geometry_.covers(*zone[0], {500, 0})); // beyond 0.4 km along link 1
  EXPECT_TRUE(geometry_.covers(*zone[1], {1000, 0}));
  EXPECT_FALSE(geometry_.covers(*zone[1], {1200, 0}));   // on the closed link
  EXPECT_FALSE(geometry_.covers(*zone[1], {500, 5000})); // the other part of the network
}

TEST_F(Zones, NeverLeaveACentreOutAndGiveNothingForALimitOfZeroOrLess) {
  load(line_and_island());
  close(1);
  close(2);
  const auto zone = zones({{1000, 0}}, {0, 1, -2});
  EXPECT_TRUE(geometry_.is_empty(*zone[0]));
  EXPECT_TRUE(geometry_.covers(*zone[1], {1000, 0}));
  EXPECT_NEAR(area(zone[1]), M_PI * radius * radius, 0.1 * M_PI * radius * radius);
  EXPECT_TRUE(geometry_.is_empty(*zone[2]));
}

TEST_F(Zones, OfTwoCentresAreTheUnionOfEachAlone) {
  load(grid_records(6, 4, 100));
  const std::vector<double> limits{0.12, 0.25};
  const auto both = zones({{0, 0}, {500, 300}}, limits);
  const auto first = zones({{0, 0}}, limits);
  const auto second = zones({{500, 300}}, limits);
  for (std::size_t k = 0; k < limits.size(); ++k) {
    const geos::Geometry alone = geometry_.unite(*first[k], *second[k]);
    const double difference =
        area_of_difference(both[k], alone) + area_of_difference(alone, both[k]);
    // Sampled on grids laid differently, the outlines agree within a fraction of the spacing.
    EXPECT_LT(difference, 0.02 * area(alone)) << "limit " << limits[k];
  }
}

// The extent crosses some of the holes of unfilled blocks and holds one whole.
TEST_F(Zones, AreCutToTheExtent) {
  load(grid_records(5, 5, 100));
  const geos::Geometry box = geometry_.rectangle({150, 120}, {330, 260});
  for (const bool rings : {false, true}) {
    SCOPED_TRACE(rings ? "rings" : "zones");
    ZoneOptions options;
    options.rings = rings;
    const auto whole = zones({{200, 200}}, {0.1, 0.3}, options);
    options.extent = extent_of(150, 120, 330, 260);
    const auto cut = zones({{200, 200}}, {0.1, 0.3}, options);
    ASSERT_TRUE(all_valid(cut));
    for (std::size_t k = 0; k < cut.size(); ++k) {
      EXPECT_LT(area_of_difference(cut[k], box), 1e-9);
      const double inside = area_of_intersection(whole[k], box);
      EXPECT_NEAR(area(cut[k]), inside, 1e-6 * inside);
    }
  }

  EXPECT_FALSE(extent_of(0, 0, 0, 0));
  EXPECT_FALSE(extent_of(10, 0, 5, 20)); // empty rectangle: no cut
}

TEST_F(Zones, NearestCentreZonesPartitionTheReachedNetwork) {
  load(grid_records(6, 4, 100));
  const std::vector<Point> centres{{0, 0}, {500, 300}, {200, 100}};
  const auto zones = nearest(centres);
  ASSERT_TRUE(all_valid(zones));
  const auto reached = this->zones({{0, 0}}, {100}); // the whole grid, as one zone
  double total = 0;
  for (std::size_t k = 0; k < zones.size(); ++k) {
    EXPECT_TRUE(geometry_.covers(*zones[k], centres[k])) << "centre " << k + 1;
    total += area(zones[k]);
    for (std::size_t j = k + 1; j < zones.size(); ++j)
      EXPECT_LT(area_of_intersection(zones[k], zones[j]), 1e-6) << k + 1 << " and " << j + 1;
  }
  // Every place on the network belongs to some zone; the zones stay within the reached area
  // (where two zones meet at its edge, a sliver narrower than the sample spacing may stay out).
  for (double x = 0; x <= 500; x += 10)
    for (double y = 0; y <= 300; y += 10) {
      if (std::fmod(x, 100) != 0 && std::fmod(y, 100) != 0)
        continue;
      bool covered = false;
      for (const auto& zone : zones)
        covered = covered || geometry_.covers(*zone, {x, y});
      EXPECT_TRUE(covered) << x << " " << y;
    }
  EXPECT_LT(total, area(reached[0]) * 1.000001);
  EXPECT_GT(total, area(reached[0]) * 0.95);
  // Halfway between centres 1 and 3 along the links from (0, 0) over (100, 0)... (200, 100)
  // is 150 m from both: the split lies there.
  EXPECT_TRUE(geometry_.covers(*zones[0], {100, 30}));
  EXPECT_TRUE(geometry_.covers(*zones[2], {130, 100}));
}

TEST_F(Zones, NearestCentreZonesLeaveOutUnreachedPartsAndGiveAShareToNoDuplicate) {
  load(line_and_island());
  const auto zones = nearest({{0, 0}, {2000, 0}, {0, 0}});
  EXPECT_TRUE(geometry_.covers(*zones[0], {990, 0}));
  EXPECT_TRUE(geometry_.covers(*zones[1], {1010, 0}));
  EXPECT_TRUE(geometry_.is_empty(*zones[2]));
  for (const auto& zone : zones)
    EXPECT_FALSE(geometry_.covers(*zone, {500, 5000}));
}

// Threads as the workers start them: each start counted, and every second one refused as a
// system without threads to spare refuses it.
std::atomic<int> starts{0};
std::thread counted_start(std::function<void()> work) {
  ++starts;
  return std::thread(std::move(work));
}
std::thread refused_start(std::function<void()>) {
  throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
}
std::thread every_second_refused(std::function<void()> work) {
  if (++starts % 2 == 0)
    return refused_start(std::move(work));
  return std::thread(std::move(work));
}

// 60 x 60 nodes 100 m apart at a radius of 30 m: a lattice of 400 x 400 points, wide enough for
// eight stripes.
TEST_F(Zones, AreTheSameBitForBitOnAnyNumberOfStripesAndWithoutThreads) {
  load(grid_records(60, 60, 100));
  const std::vector<Point> centres{{1000, 1200}, {4500, 3000}, {2000, 5000}};
  const auto drawn_by = [&](ZoneWorkers workers) {
    ZoneOptions options;
    options.workers = workers;
    std::vector<geos::Rings> outlines;
    for (const auto& area : zones(centres, {0.5, 2.5, 4}, options))
      outlines.push_back(geometry_.shapefile_rings(*area));
    ZoneOptions as_rings = options;
    as_rings.rings = true;
    for (const auto& area : zones(centres, {0.5, 2.5, 4}, as_rings))
      outlines.push_back(geometry_.shapefile_rings(*area));
    for (const auto& area : nearest(centres, options))
      outlines.push_back(geometry_.shapefile_rings(*area));
    return outlines;
  };
  const auto one = drawn_by({1, ZoneWorkers::start_thread});
  ASSERT_FALSE(one.front().empty());
  starts = 0;
  EXPECT_EQ(drawn_by({8, counted_start}), one) << "eight stripes";
  EXPECT_EQ(starts, 3 * 8) << "three drawings of eight stripes";
  EXPECT_EQ(drawn_by({8, refused_start}), one) << "no thread for any stripe";
  starts = 0;
  EXPECT_EQ(drawn_by({8, every_second_refused}), one) << "no thread for every second stripe";
}

// A lattice that cannot be sampled is refused with the engine's error, at once: no count of
// points, box or radius makes the search for its spacing go on for ever.
TEST(ZoneLattice, RefusesWhatCannotBeSampledInsteadOfLoopingForEver) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* name;
    Point low, high;
    double radius;
    std::size_t most_points;
  } refused[] = {
      {"no point at all", {0, 0}, {10, 10}, 1, 0},
      {"too few points for the margins", {0, 0}, {10, 10}, 1, 10},
      {"an infinite side", {0, 0}, {inf, 10}, 1, 1000},
      {"a side that is no number", {std::nan(""), 0}, {10, 10}, 1, 1000},
      {"columns times rows past a double", {-1e155, -1e155}, {1e155, 1e155}, 1, 1000},
      {"an infinite radius", {0, 0}, {10, 10}, inf, 1000},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(fails_with(code::out_of_bounds,
                           [&] { ZoneLattice(c.low, c.high, c.radius, c.most_points); }));
  }
  // The smallest count that holds the margins, and a box wide but within what can be counted.
  const ZoneLattice least({0, 0}, {0, 0}, 1, 64);
  EXPECT_LE(least.point_count(), 64u);
  const ZoneLattice widest({-1e150, -1e150}, {1e150, 1e150}, 1, 1000);
  EXPECT_LE(widest.point_count(), 1000u);
  EXPECT_TRUE(std::isfinite(widest.spacing()));
}

TEST(ZoneRadius, IsTheMedianLinkLengthAlongTheShapes) {
  TempFolder folder;
  write_shapefile(
      folder.path(), "net",
      {line({{0, 0}, {80, 0}}), line({{80, 0}, {80, 40}, {110, 0}}), line({{110, 0}, {1110, 0}})});
  EXPECT_DOUBLE_EQ(default_zone_radius(build_and_load(folder.path(), "net")), 90);
}

double signed_area(const std::vector<Point>& ring) {
  double twice = 0;
  for (std::size_t k = 1; k < ring.size(); ++k)
    twice += ring[k - 1].x * ring[k].y - ring[k].x * ring[k - 1].y;
  return twice / 2;
}

// Outlines as the grid draws them (inside on the left, closed): the ring between two zones that
// share edges or only touch in points is a valid area of the right size.
TEST(RingDifference, DropsSharedEdgesAndSplitsWherePinched) {
  const geos::Rings outer{{{0, 0}, {2, 0}, {4, 0}, {4, 4}, {2, 4}, {0, 4}, {0, 0}}};
  struct Case {
    const char* name;
    geos::Rings inner;
    double area;
    int polygons; // outer rings
  } cases[] = {
      {"sharing three sides", {{{0, 0}, {2, 0}, {2, 4}, {0, 4}, {0, 0}}}, 8, 1},
      {"touching in one point", {{{2, 0}, {3, 2}, {2, 3}, {1, 2}, {2, 0}}}, 13, 1},
      {"touching in two points", {{{2, 0}, {3, 2}, {2, 4}, {1, 2}, {2, 0}}}, 12, 2},
      {"the same zone", outer, 0, 0},
  };
  for (const auto& c : cases) {
    geos::Context geometry;
    const auto ring = geometry.area_of_rings(ring_difference(outer, c.inner));
    EXPECT_TRUE(geometry.is_valid(*ring)) << c.name;
    EXPECT_NEAR(geometry.area(*ring), c.area, 1e-9) << c.name;
    const auto rings = geometry.shapefile_rings(*ring);
    EXPECT_EQ(std::ranges::count_if(rings, [](const auto& r) { return signed_area(r) < 0; }),
              c.polygons)
        << c.name;
  }
}

} // namespace
} // namespace tamix::test
