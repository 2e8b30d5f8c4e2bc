#include "error_matchers.h"
#include "fixture.h"
#include "reference.h"

#include "attributes.h"
#include "centres.h"
#include "costs.h"
#include "network_files.h"
#include "node_index.h"
#include "routes.h"
#include "search.h"
#include "shapefile_reader.h"

#include <cmath>
#include <fstream>
#include <random>
#include <thread>

namespace tamix::test {
namespace {

// The engine's settings made from the same description the reference reads.
CostSettings engine_settings(const Network& network, const RefSettings& ref) {
  CostSettings settings;
  settings.set_distance_unit(ref.miles ? DistanceUnit::miles : DistanceUnit::kilometres);
  for (const auto& [road_class, speed] : ref.class_speed)
    settings.set_class_speed(road_class, speed);
  for (const auto& [link, speed] : ref.temp_speed)
    settings.set_temp_speed(network, link, speed);
  for (LinkId link : ref.closed)
    settings.close_link(network, link);
  return settings;
}

Weights engine_weights(const RefSettings& ref) {
  return {ref.primary_distance, ref.primary_time, ref.secondary_distance, ref.secondary_time};
}

// The path to `target` is a real path from `origin` along passable links, and its links' costs
// add up to the labels the search reports at the target.
::testing::AssertionResult path_adds_up(const Search& search, const Network& network,
                                        const RefSettings& ref, const ArcCosts& costs,
                                        NodeId origin, NodeId target) {
  Path path = walk_path(search, target);
  if (path.nodes.empty() || path.nodes.front() != target || path.nodes.back() != origin ||
      path.links.size() + 1 != path.nodes.size())
    return ::testing::AssertionFailure() << "path to " << target << " is malformed";
  double primary = 0, secondary = 0;
  for (std::size_t k = path.links.size(); k-- > 0;) {
    SignedLink link = path.links[k];
    if (network.tail(link) != path.nodes[k + 1] || network.head(link) != path.nodes[k])
      return ::testing::AssertionFailure() << "link " << link << " does not join its nodes";
    RefLinkCost cost = reference_link_cost(network, ref, link_of(link));
    if (!cost.passable)
      return ::testing::AssertionFailure() << "path uses impassable link " << link;
    primary += cost.primary;
    secondary += cost.secondary;
    FarEnd far = far_end_cost(search, costs, link_of(link));
    if (!same_cost(far.primary, search.primary(path.nodes[k])))
      return ::testing::AssertionFailure() << "far end of link " << link << " costs " << far.primary
                                           << ", its node " << search.primary(path.nodes[k]);
  }
  if (!same_cost(primary, search.primary(target)) ||
      !same_cost(secondary, search.secondary(target)))
    return ::testing::AssertionFailure()
           << "path to " << target << " sums to " << primary << "/" << secondary << ", labels say "
           << search.primary(target) << "/" << search.secondary(target);
  return ::testing::AssertionSuccess();
}

// A random network on integer coordinates (so ends join exactly), with the awkward cases real
// data has: parallel links, loops, zero-length loops, records without shape, several components.
void write_random_network(const std::filesystem::path& folder, std::mt19937& random, int node_count,
                          int link_count) {
  std::uniform_int_distribution<int> coordinate(0, 1000);
  std::vector<Point> points(node_count);
  for (Point& p : points)
    p = {double(coordinate(random)), double(coordinate(random))};
  std::uniform_int_distribution<int> pick(0, node_count - 1);
  std::vector<Record> records;
  for (int l = 0; l < link_count; ++l) {
    int kind = int(random() % 40);
    Point a = points[pick(random)];
    if (kind == 0) {
      records.push_back(null_shape());
    } else if (kind == 1) {
      records.push_back(line({a, {a.x + 3, a.y + 4}, a})); // loop
    } else if (kind == 2) {
      records.push_back(line({a, a})); // zero-length loop
    } else {
      // Mostly short links to a nearby point, so the network looks like roads.
      Point b = points[pick(random)];
      for (int tries = 0; tries < 8 && std::hypot(a.x - b.x, a.y - b.y) > 150; ++tries)
        b = points[pick(random)];
      if (a == b)
        b = points[(pick(random))];
      if (a == b)
        continue;
      Point bend{(a.x + b.x) / 2 + 7, (a.y + b.y) / 2};
      records.push_back(line({a, bend, b}));
      if (kind == 3)
        records.push_back(line({b, a})); // a parallel link
    }
  }
  write_shapefile(folder, "random", records);
  std::ofstream classes(folder / "Attrib.txt");
  for (std::size_t r = 0; r < records.size(); ++r)
    classes << int(random() % 7) - 3 << "\n";
}

std::vector<RefSettings> settings_cases(const Network& network, std::mt19937& random) {
  std::uniform_int_distribution<LinkId> link(1, network.link_count());
  auto some_links = [&](int count) {
    std::set<LinkId> links;
    while (int(links.size()) < count)
      if (LinkId l = link(random); network.has_link(l))
        links.insert(l);
    return links;
  };
  std::vector<RefSettings> cases(6);
  // 0: shortest in km, defaults.
  // 1: fastest with class speeds.
  cases[1].primary_distance = 0, cases[1].primary_time = 1;
  cases[1].secondary_distance = 1, cases[1].secondary_time = 0;
  cases[1].class_speed = {{0, 30}, {1, 50}, {2, 70}, {3, 90}};
  // 2: shortest in miles with closures.
  cases[2].miles = true;
  cases[2].closed = some_links(int(network.link_count() / 20));
  // 3: fastest with temporary speeds, one of them 0 (impassable).
  cases[3] = cases[1];
  for (LinkId l : some_links(int(network.link_count() / 20)))
    cases[3].temp_speed[l] = double(random() % 120);
  // 4: a mix of both costs, a class without speed, closures and temporary speeds.
  cases[4].primary_distance = 2, cases[4].primary_time = 0.5;
  cases[4].secondary_distance = 1, cases[4].secondary_time = 1;
  cases[4].class_speed = {{0, 40}, {1, 0}, {2, 60}};
  cases[4].closed = some_links(10);
  for (LinkId l : some_links(10))
    cases[4].temp_speed[l] = 25;
  // 5: shortest with a class at speed 0: still impassable, since the secondary counts time.
  cases[5].class_speed = {{2, 0}};
  return cases;
}

// Compares one-to-all trees and routes with the textbook search over every settings case.
void compare_with_reference(const Network& network, std::mt19937& random, int sources, int routes) {
  Search search(network);
  std::uniform_int_distribution<NodeId> node(1, network.node_count());
  for (const RefSettings& ref : settings_cases(network, random)) {
    CostSettings settings = engine_settings(network, ref);
    ArcCosts costs;
    compute_arc_costs(network, settings, engine_weights(ref), costs);
    for (int s = 0; s < sources; ++s) {
      const NodeId origin = node(random);
      const std::vector<double> expected = reference_dijkstra(network, ref, origin);
      solve_from_node(search, costs, origin, 0);
      for (NodeId v = 1; v <= network.node_count(); ++v) {
        const double found = search.reached(v) ? search.primary(v) : unreached;
        ASSERT_TRUE(same_cost(found, expected[v]))
            << "from " << origin << " to " << v << ": " << found << ", expected " << expected[v];
      }
      for (int r = 0; r < 20; ++r) {
        if (NodeId v = node(random); search.reached(v)) {
          ASSERT_TRUE(path_adds_up(search, network, ref, costs, origin, v));
        }
      }
      for (int r = 0; r < routes; ++r) {
        const NodeId target = node(random);
        RouteResult route = solve_route(search, costs, origin, target);
        ASSERT_EQ(route.reached, expected[target] != unreached) << origin << " -> " << target;
        if (route.reached) {
          ASSERT_TRUE(same_cost(route.primary, expected[target]));
          ASSERT_TRUE(path_adds_up(search, network, ref, costs, origin, target));
        }
      }
    }
  }
}

TEST(Search, MatchesTextbookDijkstraOnRandomNetworks) {
  std::mt19937 random(test_seed(20261209));
  for (int network_number = 0; network_number < 4; ++network_number) {
    TempFolder folder;
    write_random_network(folder.path(), random, 300, 700);
    create_network(folder.path(), "random", 7);
    create_attribute_file(folder.path(), "Attrib.txt");
    Network network = load_network(folder.path());
    compare_with_reference(network, random, 10, 10);
  }
}

TEST(Search, MatchesTextbookDijkstraOnTheSample) {
  std::mt19937 random(test_seed(7));
  TempFolder folder;
  Network network = build_and_load(copy_sample(folder.path()), "roads");
  compare_with_reference(network, random, 3, 30);
}

// Searches from several centres at once against the textbook search from each centre: every
// node costs the least of them and belongs to the lowest centre number at that cost, and every
// link reads as the reference says, also under a cut-off.
void compare_centres_with_reference(const Network& network, std::mt19937& random) {
  Search search(network);
  CentreOwners owners;
  std::vector<LinkReach> reach;
  std::uniform_int_distribution<NodeId> node(1, network.node_count());
  std::vector<RefSettings> cases = settings_cases(network, random);
  // Nothing costs anything: every node ties, so owners must also flow back to nodes settled
  // earlier at the same cost.
  cases.emplace_back().primary_distance = 0;
  for (const RefSettings& ref : cases) {
    CostSettings settings = engine_settings(network, ref);
    ArcCosts costs;
    compute_arc_costs(network, settings, engine_weights(ref), costs);
    std::vector<NodeId> centres;
    for (std::size_t k = 1 + random() % 6; k > 0; --k)
      centres.push_back(node(random));
    centres.push_back(centres.front()); // a centre given twice owns nothing the second time
    const RefCentres expected = reference_centres(network, ref, centres);
    const std::vector<RefLinkReach> links = reference_link_reach(network, ref, expected);
    double cutoff = 0;
    for (NodeId v = 1; v <= network.node_count(); ++v)
      if (expected.cost[v] != unreached)
        cutoff = std::max(cutoff, expected.cost[v] / 2);
    for (double limit : {0.0, cutoff}) {
      solve_from_centres(search, costs, centres, limit, owners);
      const double bound = limit > 0 ? limit : unreached;
      for (NodeId v = 1; v <= network.node_count(); ++v) {
        const bool within = expected.cost[v] <= bound;
        const double found = search.reached(v) ? search.primary(v) : unreached;
        ASSERT_TRUE(same_cost(found, within ? expected.cost[v] : unreached))
            << "node " << v << ": " << found << ", expected " << expected.cost[v];
        ASSERT_EQ(owners.of(search, v), within ? expected.owner[v] : 0) << "node " << v;
      }
      reach_of_links(search, costs, &owners, limit, reach);
      for (LinkId l = 1; l <= network.link_count(); ++l) {
        const bool within = links[l].cost <= bound;
        ASSERT_TRUE(same_cost(reach[l].cost >= inf_cost ? unreached : reach[l].cost,
                              within ? links[l].cost : unreached))
            << "link " << l << ": " << reach[l].cost << ", expected " << links[l].cost;
        ASSERT_EQ(reach[l].centre, within ? links[l].centre : 0) << "link " << l;
      }
    }
  }
}

TEST(Search, SeveralCentresMatchTextbookSearchesFromEach) {
  std::mt19937 random(test_seed(20260113));
  for (int network_number = 0; network_number < 3; ++network_number) {
    TempFolder folder;
    write_random_network(folder.path(), random, 300, 700);
    create_network(folder.path(), "random", 7);
    create_attribute_file(folder.path(), "Attrib.txt");
    compare_centres_with_reference(load_network(folder.path()), random);
  }
  TempFolder folder;
  compare_centres_with_reference(build_and_load(copy_sample(folder.path()), "roads"), random);
}

// The optimality certificate: no arc can still be relaxed, every reached node but the origin has
// a tight parent arc, and what is unreached has no passable arc from a reached node.
TEST(Search, OneToAllCarriesACertificateOnTheSample) {
  TempFolder folder;
  Network network = build_and_load(copy_sample(folder.path()), "roads");
  CostSettings settings;
  settings.set_class_speed(1, 50);
  std::mt19937 random(test_seed(11));
  for (LinkId l = 1; l <= network.link_count(); l += 97)
    settings.close_link(network, l);
  ArcCosts costs;
  compute_arc_costs(network, settings, {0, 1, 1, 0}, costs);
  Search search(network);
  const Graph& g = network.graph;
  for (int run = 0; run < 3; ++run) {
    const NodeId origin = NodeId(1 + random() % network.node_count());
    solve_from_node(search, costs, origin, 0);
    std::size_t reached = 0;
    for (NodeId u = 1; u <= network.node_count(); ++u) {
      if (!search.reached(u))
        continue;
      ++reached;
      for (ArcId a = g.arcs_begin(u); a < g.arcs_end(u); ++a) {
        if (costs.primary(a) >= inf_cost)
          continue;
        ASSERT_TRUE(search.reached(g.head[a])) << "arc " << a << " leaves the tree";
        ASSERT_LE(search.primary(g.head[a]), search.primary(u) + costs.primary(a) + 1e-9);
      }
      if (u == origin) {
        ASSERT_EQ(search.parent_link(u), no_link);
        continue;
      }
      const SignedLink parent = search.parent_link(u);
      ASSERT_EQ(network.head(parent), u);
      ASSERT_TRUE(search.reached(network.tail(parent)));
      FarEnd far = far_end_cost(search, costs, link_of(parent));
      ASSERT_DOUBLE_EQ(far.primary, search.primary(u)) << "parent of " << u << " is not tight";
      ASSERT_DOUBLE_EQ(far.secondary, search.secondary(u));
    }
    EXPECT_GT(reached, network.node_count() / 2);
    EXPECT_EQ(search.settled_nodes().size(), reached);
  }
}

// Links 1..6 of a drawn network: a line 1-2-3-4 with a long way round from 2 to 4, and an island.
//
//   (0,0) -1-> (10,0) -2-> (20,0) <-3- (30,0)       island: (100,100) -6- (110,100)
//                 \____ 4: (10,0)->(20,30)->(30,0) ____/
class Routes : public ::testing::Test {
protected:
  void SetUp() override {
    write_shapefile(folder.path(), "roads",
                    {line({{0, 0}, {10, 0}}), line({{10, 0}, {20, 0}}), line({{30, 0}, {20, 0}}),
                     line({{10, 0}, {20, 30}, {30, 0}}), null_shape(),
                     line({{100, 100}, {110, 100}})});
    network = build_and_load(folder.path(), "roads");
    compute_arc_costs(network, settings, {}, costs);
    n1 = node_at(network, {0, 0}), n2 = node_at(network, {10, 0});
    n3 = node_at(network, {20, 0}), n4 = node_at(network, {30, 0});
    n5 = node_at(network, {100, 100}), n6 = node_at(network, {110, 100});
  }
  TempFolder folder;
  Network network;
  CostSettings settings;
  ArcCosts costs;
  NodeId n1, n2, n3, n4, n5, n6; // the nodes at (0,0), (10,0), (20,0), (30,0), (100,100), (110,100)
};

TEST_F(Routes, PathIsListedFromTargetWithSignedLinks) {
  Search search(network);
  RouteResult route = solve_route(search, costs, n1, n4);
  ASSERT_TRUE(route.reached);
  EXPECT_DOUBLE_EQ(route.primary, 0.030);
  Path path = walk_path(search, n4);
  EXPECT_EQ(path.nodes, (std::vector<NodeId>{n4, n3, n2, n1}));
  EXPECT_EQ(path.links, (std::vector<SignedLink>{-3, 2, 1}));
  // Far ends: the accumulated cost where each path link is left.
  EXPECT_DOUBLE_EQ(far_end_cost(search, costs, 1).primary, 0.010);
  EXPECT_DOUBLE_EQ(far_end_cost(search, costs, 3).primary, 0.030);

  // With link 2 closed the route from 4 to 1 goes the long way round, against link 4's drawn
  // direction and then against link 1's.
  settings.close_link(network, 2);
  compute_arc_costs(network, settings, {}, costs);
  route = solve_route(search, costs, n4, n1);
  ASSERT_TRUE(route.reached);
  EXPECT_EQ(walk_path(search, n1).links, (std::vector<SignedLink>{-1, -4}));
}

TEST_F(Routes, SameNodeIsAnEmptyPath) {
  Search search(network);
  RouteResult route = solve_route(search, costs, n3, n3);
  ASSERT_TRUE(route.reached);
  EXPECT_EQ(route.primary, 0);
  EXPECT_EQ(walk_path(search, n3).nodes, (std::vector<NodeId>{n3}));
  EXPECT_TRUE(walk_path(search, n3).links.empty());
}

TEST_F(Routes, UnreachableTargetLeavesNoPathAndTheOriginWhenNothingElseIsReached) {
  Search search(network);
  RouteResult route = solve_route(search, costs, n1, n6);
  EXPECT_FALSE(route.reached);
  EXPECT_EQ(route.primary, inf_cost);
  EXPECT_TRUE(walk_path(search, n6).nodes.empty());
  EXPECT_TRUE(solve_route(search, costs, n1, route.nearest_reached).reached);
  settings.close_link(network, 1);
  compute_arc_costs(network, settings, {}, costs);
  EXPECT_EQ(solve_route(search, costs, n1, n6).nearest_reached, n1);
}

// A route to a stop on an island ends at the reached node nearest to the stop, not at the one
// farthest from the origin, measured in metres also when the network is in degrees.
TEST(UnreachableStop, RouteEndsAtTheReachedNodeNearestToIt) {
  // Metres: from O the long way down to R is the farthest by cost (1.0 km); N and M are both
  // 200 m from the stop T, and N is the cheaper (0.1 km against 0.5 km).
  //
  //            N(100,0) ---- (100,200) ---- M(300,200)
  //           /                              T(300,0) --- (400,0)   island
  //   O(0,0) /
  //     |
  //   (0,-500) ---- R(-500,-500)
  const std::vector<Record> metres = {
      line({{0, 0}, {100, 0}}), line({{100, 0}, {100, 200}, {300, 200}}), line({{0, 0}, {0, -500}}),
      line({{0, -500}, {-500, -500}}), line({{300, 0}, {400, 0}})};
  // Degrees at 57.7 N, where a degree of longitude is about half one of latitude: E lies
  // 0.003 degrees east of the stop T (about 179 m), P 0.002 degrees north (about 222 m), so E is
  // the nearer although P is nearer in degrees. P is the farthest by cost from O.
  const Point o{11.990, 57.702}, e{11.983, 57.700}, p{11.980, 57.702}, t{11.980, 57.700};
  const std::vector<Record> degrees = {line({o, e}), line({o, {11.985, 57.710}, p}),
                                       line({t, {11.979, 57.699}})};
  const struct {
    const char* what;
    const std::vector<Record>& records;
    int map_units;
    Point origin, stop, nearest, farthest;
  } cases[] = {
      {"metres", metres, 7, {0, 0}, {300, 0}, {100, 0}, {-500, -500}},
      {"degrees", degrees, 10, o, t, e, p},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    write_shapefile(folder.path(), "roads", c.records);
    const Network network = build_and_load(folder.path(), "roads", c.map_units);
    ArcCosts costs;
    compute_arc_costs(network, CostSettings{}, {}, costs);
    Search search(network);
    const NodeId origin = node_at(network, c.origin), stop = node_at(network, c.stop);
    const RouteResult route = solve_route(search, costs, origin, stop);
    ASSERT_FALSE(route.reached);
    NodeId farthest = origin;
    for (NodeId node : search.settled_nodes())
      if (search.primary(node) > search.primary(farthest))
        farthest = node;
    EXPECT_EQ(farthest, node_at(network, c.farthest)) << "the fixture no longer tells them apart";
    EXPECT_EQ(route.nearest_reached, node_at(network, c.nearest));
  }
}

TEST_F(Routes, CutOffLeavesFartherNodesUnreached) {
  Search search(network);
  solve_from_node(search, costs, n1, 0.015);
  EXPECT_TRUE(search.reached(n2));
  EXPECT_FALSE(search.reached(n3));
  EXPECT_EQ(search.primary(n3), inf_cost);
  EXPECT_TRUE(walk_path(search, n3).nodes.empty());
  solve_from_node(search, costs, n1, 0); // 0: no cut-off
  EXPECT_TRUE(search.reached(n4));
}

TEST_F(Routes, SeveralSourcesStartWithTheirOwnCosts) {
  Search search(network);
  const Source sources[] = {{n1, 0.0, 0}, {n4, 0.005, 0}};
  search.run(costs, sources);
  EXPECT_DOUBLE_EQ(search.primary(n2), 0.010);
  EXPECT_DOUBLE_EQ(search.primary(n3), 0.015);
  EXPECT_EQ(walk_path(search, n3).nodes.back(), n4);
}

TEST_F(Routes, RefusesUnknownNodesAndLinks) {
  Search search(network);
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { solve_route(search, costs, 0, n1); }));
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { solve_route(search, costs, n1, 7); }));
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { far_end_cost(search, costs, 5); }));
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { settings.close_link(network, 9); }));
}

// The rules of searches from several centres, on the drawn network (each link 10 m long but
// link 4, 63.2 m; link 5 has no shape, link 6 is the island).
TEST_F(Routes, SeveralCentresGiveEachLinkItsCostAndNearestCentre) {
  const double far4 = 0.02 * std::sqrt(10.0); // link 4 in km
  struct Case {
    const char* what;
    std::vector<NodeId> centres;
    double cutoff;
    std::vector<double> cost;          // links 1..6, 0 = none
    std::vector<std::uint32_t> centre; // links 1..6
  };
  const std::vector<Case> cases = {
      {"both ends", {n1, n4}, 0, {.01, .02, .01, far4, 0, 0}, {1, 1, 2, 2, 0, 0}},
      {"numbers swapped: a tie goes to the lower",
       {n4, n1},
       0,
       {.01, .02, .01, far4, 0, 0},
       {2, 1, 1, 1, 0, 0}},
      {"equal ends of link 4 with other owners",
       {n1, n3},
       0,
       {.01, .01, .01, .01 + far4, 0, 0},
       {1, 2, 2, 1, 0, 0}},
      {"a centre given twice owns nothing",
       {n2, n2},
       0,
       {.01, .01, .02, far4, 0, 0},
       {1, 1, 1, 1, 0, 0}},
      {"the cut-off counts the far end", {n1}, 0.015, {.01, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0}},
      {"a centre on the island",
       {n5, n1},
       0,
       {.01, .02, .03, .01 + far4, 0, .01},
       {2, 2, 2, 2, 0, 1}},
  };
  Search search(network);
  CentreOwners owners;
  std::vector<LinkReach> reach;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    solve_from_centres(search, costs, c.centres, c.cutoff, owners);
    reach_of_links(search, costs, &owners, c.cutoff, reach);
    for (LinkId l = 1; l <= 6; ++l) {
      EXPECT_NEAR(reach[l].cost >= inf_cost ? 0 : reach[l].cost, c.cost[l - 1], 1e-12)
          << "link " << l;
      EXPECT_EQ(reach[l].centre, c.centre[l - 1]) << "link " << l;
    }
  }

  // All costs 0: every node ties, so the lowest centre of its part owns it, centres included.
  compute_arc_costs(network, settings, {0, 0, 0, 1}, costs);
  const NodeId centres[] = {n4, n1, n6};
  solve_from_centres(search, costs, centres, 0, owners);
  for (NodeId v : {n1, n2, n3, n4})
    EXPECT_EQ(owners.of(search, v), 1u) << "node " << v;
  EXPECT_EQ(owners.of(search, n5), 3u);
}

TEST(Search, ParallelSearchesShareOneNetwork) {
  TempFolder folder;
  Network network = build_and_load(copy_sample(folder.path()), "roads");
  CostSettings settings;
  ArcCosts costs;
  compute_arc_costs(network, settings, {}, costs);
  Search alone(network);
  const NodeId origins[] = {1, 500, 5000, 9000};
  std::vector<std::vector<Cost>> expected;
  for (NodeId origin : origins) {
    solve_from_node(alone, costs, origin, 0);
    std::vector<Cost> labels(network.node_count() + 1);
    for (NodeId v = 1; v <= network.node_count(); ++v)
      labels[v] = alone.primary(v);
    expected.push_back(labels);
  }
  std::vector<std::vector<Cost>> found(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      Search search(network);
      for (int repeat = 0; repeat < 3; ++repeat)
        solve_from_node(search, costs, origins[t], 0);
      found[t].resize(network.node_count() + 1);
      for (NodeId v = 1; v <= network.node_count(); ++v)
        found[t][v] = search.primary(v);
    });
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(found, expected);
}

// An independent computation on the sample gives 5.05347 km between these two junctions.
TEST(Search, SampleRouteHasTheKnownLength) {
  TempFolder folder;
  Network network = build_and_load(copy_sample(folder.path()), "roads");
  NodeIndex index(network);
  const NodeId from = index.nearest(678440.3839640059, 6400655.559205196);
  const NodeId to = index.nearest(678927.8690559431, 6396406.794210941);
  CostSettings settings;
  ArcCosts costs;
  compute_arc_costs(network, settings, {}, costs);
  Search search(network);
  RouteResult route = solve_route(search, costs, from, to);
  ASSERT_TRUE(route.reached);
  EXPECT_NEAR(route.primary, 5.05347, 5e-6);
}

} // namespace
} // namespace tamix::test
