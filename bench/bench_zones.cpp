// Zone polygons on the sample network, on the tiled network of about 1 M links and on a
// long-extent regional network: five nested zones from one centre (over most of the sample, and
// of 1 .. 5 km on the sample and the tiled network), 50 / 100 / 200 / 400 km on the long-extent
// network, 100 and 1000 zones (nested and as rings), nearest-centre zones of 20 centres, and one
// zone of 100,000 links, each solve, construction and shapefile included; beside them a plain
// GEOS buffer-union of the same reached links (each reached part widened by the same radius,
// then all united). The file builds against earlier releases too, so that bench/paired_rounds.sh
// can set a release's figure beside this one's in the same minutes.
//
//   build-xxx/bin/bench_zones --benchmark_counters_tabular=true

#include "tiled_network.h"

#include "centres.h"
#include "costs.h"
#include "geos_geometry.h"
#include "link_piece.h"
#include "network_files.h"
#include "search.h"
#include "zone_polygons.h"
#include "zone_shapefile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

namespace tamix::bench {
namespace {

struct Setting {
  Network network;
  CostSettings settings;
  ArcCosts costs;
  NodeId middle = no_node; // the node nearest the middle of the network's extent
};

Setting load(const std::filesystem::path& folder) {
  Setting s;
  s.network = load_network(folder);
  compute_arc_costs(s.network, s.settings, {}, s.costs);
  Point low{1e300, 1e300}, high{-1e300, -1e300};
  for (NodeId n = 1; n <= s.network.node_count(); ++n) {
    const Point p = s.network.node_points[n];
    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y)};
  }
  const Point mid{(low.x + high.x) / 2, (low.y + high.y) / 2};
  double best = 1e300;
  for (NodeId n = 1; n <= s.network.node_count(); ++n) {
    const Point p = s.network.node_points[n];
    const double d = std::hypot(p.x - mid.x, p.y - mid.y);
    if (d < best)
      best = d, s.middle = n;
  }
  return s;
}

const Setting& sample() {
  static const Setting s = load(network_folder(1, 1));
  return s;
}

// The cost within which `links` links are reached wholly from `centre`.
double limit_for(const Setting& s, NodeId centre, std::size_t links) {
  Search search(s.network);
  search.run_from(s.costs, centre);
  std::vector<LinkReach> reach;
  reach_of_links(search, s.costs, nullptr, 0, reach);
  std::vector<double> costs;
  for (const LinkReach& r : reach)
    if (r.cost < inf_cost)
      costs.push_back(r.cost);
  std::sort(costs.begin(), costs.end());
  return costs[std::min(links, costs.size()) - 1];
}

std::filesystem::path output_base() {
  const auto folder = std::filesystem::path(CORVANE_BINARY_DIR) / "bench-data" / "zones";
  std::filesystem::create_directories(folder);
  return folder / "IsoPoly";
}

// Solve, zones and shapefile, as WriteZonePolygons does them. Without `timed_write` the
// shapefile is written all the same but out of the clock: its synced replacement is the same
// in every release and takes most of a small zone's time on a busy disk.
void run_zones(benchmark::State& state, const Setting& s, std::vector<double> limits,
               bool rings = false, bool timed_write = true) {
  Search search(s.network);
  CentreOwners owners;
  const std::vector<NodeId> centres{s.middle};
  ZoneOptions options;
  options.radius = default_zone_radius(s.network);
  options.rings = rings;
  int vertices = 0;
  for (auto _ : state) {
    geos::Context geometry;
    solve_from_centres(search, s.costs, centres, limits.back() * 1.000001, owners);
    auto zones = zone_areas(geometry, search, s.costs, centres, limits, options);
    vertices = 0;
    for (const auto& z : zones)
      vertices += geometry.vertex_count(*z);
    std::reverse(zones.begin(), zones.end());
    if (!timed_write)
      state.PauseTiming();
    // The tools' zones are scratch sets, read into their output and removed.
    write_zone_shapefile(geometry, output_base(), cost_end_field, zones,
                         std::vector<double>(limits.rbegin(), limits.rend()),
                         files::Durability::scratch);
    if (!timed_write)
      state.ResumeTiming();
  }
  state.counters["vertices"] = vertices;
  state.counters["radius"] = options.radius;
}

void BM_FiveZonesOnTheSample(benchmark::State& state) {
  const Setting& s = sample();
  // The largest zone reaches 90 % of the sample's links.
  const double largest = limit_for(s, s.middle, s.network.link_count() * 9 / 10);
  std::vector<double> limits;
  for (int k = 1; k <= 5; ++k)
    limits.push_back(largest * k / 5);
  run_zones(state, s, limits, false, state.range(0) != 0);
  state.counters["links"] = double(s.network.link_count() * 9 / 10);
}
BENCHMARK(BM_FiveZonesOnTheSample)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("written")
    ->Unit(benchmark::kMillisecond);

// Many equal steps up to the limit where 90 % of the sample's links are reached, with and
// without rings: the cost of each further zone (the zone list's bound comes from these figures).
void BM_ManyZonesOnTheSample(benchmark::State& state) {
  const Setting& s = sample();
  const double largest = limit_for(s, s.middle, s.network.link_count() * 9 / 10);
  const auto count = int(state.range(0));
  std::vector<double> limits;
  for (int k = 1; k <= count; ++k)
    limits.push_back(largest * k / count);
  run_zones(state, s, limits, state.range(1) != 0);
  state.counters["zones"] = count;
}
BENCHMARK(BM_ManyZonesOnTheSample)
    ->ArgsProduct({{100, 1000}, {0, 1}})
    ->ArgNames({"zones", "rings"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The peer's way: every reached part of a link widened by the radius, then all united.
void BM_BufferUnionOnTheSample(benchmark::State& state) {
  const Setting& s = sample();
  const double largest = limit_for(s, s.middle, s.network.link_count() * 9 / 10);
  Search search(s.network);
  search.run_from(s.costs, s.middle, {largest * 1.000001, no_node});
  const double radius = default_zone_radius(s.network);
  int vertices = 0;
  for (auto _ : state) {
    GEOSContextHandle_t context = GEOS_init_r();
    std::vector<GEOSGeometry*> buffers;
    std::vector<double> walked;
    std::vector<Point> piece;
    for (NodeId node : search.settled_nodes())
      for (ArcId a = s.network.graph.arcs_begin(node); a < s.network.graph.arcs_end(node); ++a) {
        const ArcCosts::Arc& arc = s.costs.arcs[a];
        const double paid = std::min(1.0, (largest - search.primary(node)) / arc.primary);
        const auto points = s.network.geometry.of(link_of(arc.link));
        link_piece(points, arc.link > 0 ? 0 : 1, arc.link > 0 ? paid : 1 - paid, walked, piece);
        if (piece.size() < 2)
          continue;
        GEOSCoordSequence* seq = GEOSCoordSeq_copyFromBuffer_r(
            context, reinterpret_cast<const double*>(piece.data()), unsigned(piece.size()), 0, 0);
        GEOSGeometry* line = GEOSGeom_createLineString_r(context, seq);
        buffers.push_back(GEOSBuffer_r(context, line, radius, 8));
        GEOSGeom_destroy_r(context, line);
      }
    GEOSGeometry* all = GEOSGeom_createCollection_r(context, GEOS_GEOMETRYCOLLECTION,
                                                    buffers.data(), unsigned(buffers.size()));
    GEOSGeometry* united = GEOSUnaryUnion_r(context, all);
    vertices = GEOSGetNumCoordinates_r(context, united);
    GEOSGeom_destroy_r(context, united);
    GEOSGeom_destroy_r(context, all);
    GEOS_finish_r(context);
  }
  state.counters["vertices"] = vertices;
}
BENCHMARK(BM_BufferUnionOnTheSample)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_NearestCentreZonesOnTheSample(benchmark::State& state) {
  const Setting& s = sample();
  Search search(s.network);
  search.run_from(s.costs, s.middle);
  const auto reached = search.settled_nodes();
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, reached.size() - 1);
  std::vector<NodeId> centres;
  while (centres.size() < 20)
    centres.push_back(reached[pick(random)]);
  CentreOwners owners;
  ZoneOptions options;
  options.radius = default_zone_radius(s.network);
  int vertices = 0;
  for (auto _ : state) {
    geos::Context geometry;
    solve_from_centres(search, s.costs, centres, 0, owners);
    const auto zones =
        nearest_centre_areas(geometry, search, s.costs, owners, centres.size(), options);
    vertices = 0;
    for (const auto& z : zones)
      vertices += geometry.vertex_count(*z);
    std::vector<double> numbers(zones.size());
    for (std::size_t k = 0; k < numbers.size(); ++k)
      numbers[k] = double(k + 1);
    write_zone_shapefile(geometry, output_base(), centre_id_field, zones, numbers);
  }
  state.counters["vertices"] = vertices;
}
BENCHMARK(BM_NearestCentreZonesOnTheSample)->Unit(benchmark::kMillisecond);

// One centre with a few zones, the case users run most: five nested zones of 1 .. 5 km on the
// sample and on the tiled network, and 50 / 100 / 200 / 400 km on the long-extent network (its
// short town streets make a fine grid over a wide, mostly empty box).
void BM_FiveZonesOf1To5KmOnTheSample(benchmark::State& state) {
  run_zones(state, sample(), {1, 2, 3, 4, 5}, false, state.range(0) != 0);
}
BENCHMARK(BM_FiveZonesOf1To5KmOnTheSample)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("written")
    ->Unit(benchmark::kMillisecond);

const Setting& tiled() {
  static const Setting s = load(network_folder(8, 7));
  return s;
}

void BM_FiveZonesOf1To5KmOnTheTiledNetwork(benchmark::State& state) {
  run_zones(state, tiled(), {1, 2, 3, 4, 5}, false, state.range(0) != 0);
}
BENCHMARK(BM_FiveZonesOf1To5KmOnTheTiledNetwork)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("written")
    ->Unit(benchmark::kMillisecond);

void BM_ZonesOnTheLongExtentNetwork(benchmark::State& state) {
  static const Setting s = load(long_extent_network_folder());
  run_zones(state, s, {50, 100, 200, 400}, false, state.range(0) != 0);
}
BENCHMARK(BM_ZonesOnTheLongExtentNetwork)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("written")
    ->Unit(benchmark::kMillisecond);

void BM_ZoneOf100kLinksOnTheTiledNetwork(benchmark::State& state) {
  const Setting& s = tiled();
  const double limit = limit_for(s, s.middle, 100000);
  run_zones(state, s, {limit}, false, state.range(0) != 0);
  state.counters["links"] = 100000;
}
BENCHMARK(BM_ZoneOf100kLinksOnTheTiledNetwork)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("written")
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tamix::bench

BENCHMARK_MAIN();
