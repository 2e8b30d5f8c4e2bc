// Where the time of a zone polygon goes against what the machine can do at best: the grid pass
// (the reached network drawn into the grid of reach costs) beside touching the same bytes, and
// the zone shapefile's write beside the same bytes written with the same synced replacement.
//
//   build-xxx/bin/bench_zone_limits --benchmark_counters_tabular=true

#include "tiled_network.h"

#include "costs.h"
#include "files/replace_file.h"
#include "network_files.h"
#include "output_table_file.h"
#include "search.h"
#include "zone_cost_field.h"
#include "zone_polygons.h"
#include "zone_shapefile.h"
#include "zone_stripes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace tamix::bench {
namespace {

struct Reached {
  Network network;
  ArcCosts costs;
  Point low{1e300, 1e300}, high{-1e300, -1e300};
  double radius = 0;
  std::vector<std::vector<Point>> lines;
  std::vector<std::vector<float>> line_costs;
};

// Every link of the sample reached from its first node, each whole, its cost uniform from its
// nearer end (as the zones of one centre that reach the whole network draw it).
const Reached& sample_reached() {
  static const Reached r = [] {
    Reached r;
    r.network = load_network(network_folder(1, 1));
    compute_arc_costs(r.network, CostSettings{}, {}, r.costs);
    r.radius = default_zone_radius(r.network);
    Search search(r.network);
    search.run_from(r.costs, 1);
    for (LinkId link = 1; link <= r.network.link_count(); ++link) {
      const auto points = r.network.geometry.of(link);
      const auto [from, to] = r.network.link_ends[link];
      const float a = float(search.primary(from)), b = float(search.primary(to));
      if (points.empty() || !(a < inf_cost) || !(b < inf_cost))
        continue;
      r.lines.emplace_back(points.begin(), points.end());
      std::vector<float> costs(points.size());
      for (std::size_t k = 0; k < costs.size(); ++k)
        costs[k] = a + (b - a) * float(k) / float(std::max<std::size_t>(1, costs.size() - 1));
      r.line_costs.push_back(std::move(costs));
      for (const Point& p : points) {
        r.low = {std::min(r.low.x, p.x), std::min(r.low.y, p.y)};
        r.high = {std::max(r.high.x, p.x), std::max(r.high.y, p.y)};
      }
    }
    return r;
  }();
  return r;
}

// The grid made and the whole sample drawn into it; bytes: the grid's distances and reach costs.
void BM_GridPassOverTheSample(benchmark::State& state) {
  const Reached& r = sample_reached();
  std::size_t points = 0;
  for (auto _ : state) {
    ZoneBlockPlan plan(ZoneLattice(r.low, r.high, r.radius, most_zone_grid_points));
    for (const auto& line : r.lines)
      plan.add_line(line);
    ZoneCostField field(plan);
    draw_in_stripes(field.lattice(), ZoneBlockLayout::side, zone_workers_of_machine(),
                    [&](ZoneRows rows) {
                      for (std::size_t k = 0; k < r.lines.size(); ++k)
                        field.add_reached_line(r.lines[k], r.line_costs[k], rows);
                    });
    points = field.lattice().point_count();
    benchmark::DoNotOptimize(field);
  }
  state.counters["points"] = double(points);
  state.counters["MB"] = double(points * 2 * sizeof(float)) / 1e6;
  state.counters["bytes/s"] = benchmark::Counter(double(points * 2 * sizeof(float)),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GridPassOverTheSample)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor of the same bytes: both arrays of the grid filled, then read and written once more
// as the pass does at least (a lowest value kept per point).
void BM_SameBytesTouched(benchmark::State& state) {
  const Reached& r = sample_reached();
  const std::size_t points =
      ZoneLattice(r.low, r.high, r.radius, most_zone_grid_points).point_count();
  for (auto _ : state) {
    std::vector<float> nearest(points, 1.0f), reach_cost(points, 2.0f);
    for (std::size_t k = 0; k < points; ++k) {
      nearest[k] = std::min(nearest[k], 0.5f);
      reach_cost[k] = std::min(reach_cost[k], 1.5f);
    }
    benchmark::DoNotOptimize(nearest.data());
    benchmark::DoNotOptimize(reach_cost.data());
  }
  state.counters["MB"] = double(points * 2 * sizeof(float)) / 1e6;
}
BENCHMARK(BM_SameBytesTouched)->Unit(benchmark::kMillisecond)->UseRealTime();

std::filesystem::path output_base() {
  const auto folder = std::filesystem::path(CORVANE_BINARY_DIR) / "bench-data" / "zone-limits";
  std::filesystem::create_directories(folder);
  return folder / "IsoPoly";
}

// Five nested zones of 1 .. 5 km from the sample's first node, made once.
struct Zones {
  geos::Context geometry;
  std::vector<geos::Geometry> areas;
  std::vector<double> limits{5, 4, 3, 2, 1};
};

Zones& sample_zones() {
  static Zones z;
  static const bool made = [] {
    const Network network = load_network(network_folder(1, 1));
    ArcCosts costs;
    compute_arc_costs(network, CostSettings{}, {}, costs);
    Search search(network);
    const std::vector<NodeId> centres{1};
    CentreOwners owners;
    solve_from_centres(search, costs, centres, 5.000001, owners);
    ZoneOptions options;
    options.radius = default_zone_radius(network);
    z.areas = zone_areas(z.geometry, search, costs, centres, z.limits, options);
    return true;
  }();
  benchmark::DoNotOptimize(made);
  return z;
}

void BM_ZoneShapefileWrite(benchmark::State& state) {
  Zones& z = sample_zones();
  for (auto _ : state)
    write_zone_shapefile(z.geometry, output_base(), cost_end_field, z.areas, z.limits);
  state.counters["bytes"] =
      double(std::filesystem::file_size(with_extension(output_base(), ".shp")));
}
BENCHMARK(BM_ZoneShapefileWrite)->Unit(benchmark::kMillisecond)->UseRealTime();

// The files the write above leaves, written again byte for byte through the same output files
// and replaced together the same way: the floor of the write.
void BM_SameBytesSyncedReplacement(benchmark::State& state) {
  Zones& z = sample_zones();
  write_zone_shapefile(z.geometry, output_base(), cost_end_field, z.areas, z.limits);
  std::vector<std::pair<std::filesystem::path, std::vector<char>>> files;
  for (const char* extension : {".shp", ".shx", ".dbf", ".cpg"}) {
    const auto path = with_extension(output_base(), extension);
    std::ifstream in(path, std::ios::binary);
    files.emplace_back(path, std::vector<char>(std::istreambuf_iterator<char>(in), {}));
  }
  for (auto _ : state) {
    OutputSet set;
    for (const auto& [path, bytes] : files) {
      OutputFile file(path);
      file.append(bytes.data(), bytes.size());
      file.finish(set);
    }
    replace_output_set(set);
  }
  state.counters["bytes"] = double(files.front().second.size());
}
BENCHMARK(BM_SameBytesSyncedReplacement)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tamix::bench

BENCHMARK_MAIN();
