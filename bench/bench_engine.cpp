// The engine's speed on the sample network (1x1) and on tiled copies of it (8x7: about one
// million links), each figure beside the textbook reference doing the same work.
//
//   build-xxx/bin/bench_engine --benchmark_counters_tabular=true

#include "reference_dijkstra.h"
#include "tiled_network.h"

#include "centres.h"
#include "costs.h"
#include "geometry_tests.h"
#include "network_files.h"
#include "routes.h"
#include "search.h"
#include "shapefile_reader.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <thread>

namespace tamix::bench {
namespace {

struct Loaded {
  Network network;
  CostSettings settings;
  ArcCosts costs;
  std::vector<NodeId> random_nodes;
};

const Loaded& loaded(int columns, int rows) {
  static std::map<std::pair<int, int>, std::unique_ptr<Loaded>> cache;
  auto& slot = cache[{columns, rows}];
  if (!slot) {
    slot = std::make_unique<Loaded>();
    slot->network = load_network(network_folder(columns, rows));
    compute_arc_costs(slot->network, slot->settings, {}, slot->costs);
    std::mt19937 random(42);
    std::uniform_int_distribution<NodeId> node(1, slot->network.node_count());
    for (int i = 0; i < 4096; ++i)
      slot->random_nodes.push_back(node(random));
  }
  return *slot;
}

template <class T> std::size_t bytes(const std::vector<T>& items) {
  return items.capacity() * sizeof(T);
}

// What a loaded network holds, plus one run's costs and one search's scratch space.
double bytes_per_link(const Loaded& l) {
  const Network& n = l.network;
  std::size_t total = bytes(n.graph.first_out) + bytes(n.graph.head) + bytes(n.graph.arc_link) +
                      bytes(n.link_ends) + bytes(n.link_metres) + bytes(n.link_class) +
                      bytes(n.node_points) + bytes(n.geometry.first_point) +
                      bytes(n.geometry.points) + bytes(l.costs.arcs);
  const std::size_t search_per_node = 2 * sizeof(Cost) + sizeof(SignedLink) + 3 * 4 + 12 + 4;
  total += search_per_node * (n.node_count() + 1);
  return double(total) / n.link_count();
}

void set_network_counters(benchmark::State& state, const Loaded& l) {
  state.counters["links"] = l.network.link_count();
  state.counters["nodes"] = l.network.node_count();
}

void settled_rate(benchmark::State& state, std::size_t settled) {
  // Seconds per settled node, printed as e.g. "120n" (ns).
  state.counters["per_node"] = benchmark::Counter(double(settled), benchmark::Counter::kIsRate |
                                                                       benchmark::Counter::kInvert);
}

void BM_OneToAll(benchmark::State& state) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  Search search(l.network);
  std::size_t settled = 0, i = 0;
  for (auto _ : state) {
    solve_from_node(search, l.costs, l.random_nodes[i++ % l.random_nodes.size()], 0);
    settled += search.settled_nodes().size();
  }
  settled_rate(state, settled);
  set_network_counters(state, l);
}

void BM_OneToAll_Reference(benchmark::State& state) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  ReferenceDijkstra reference(l.network, l.costs);
  std::size_t settled = 0, i = 0;
  for (auto _ : state)
    settled += reference.run(l.random_nodes[i++ % l.random_nodes.size()]);
  settled_rate(state, settled);
  set_network_counters(state, l);
}

void BM_Route(benchmark::State& state) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  Search search(l.network);
  std::size_t i = 0;
  for (auto _ : state) {
    NodeId from = l.random_nodes[i++ % l.random_nodes.size()];
    NodeId to = l.random_nodes[i++ % l.random_nodes.size()];
    benchmark::DoNotOptimize(solve_route(search, l.costs, from, to));
  }
  set_network_counters(state, l);
}

void BM_Route_Reference(benchmark::State& state) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  ReferenceDijkstra reference(l.network, l.costs);
  std::size_t i = 0;
  for (auto _ : state) {
    NodeId from = l.random_nodes[i++ % l.random_nodes.size()];
    NodeId to = l.random_nodes[i++ % l.random_nodes.size()];
    benchmark::DoNotOptimize(reference.run(from, to));
  }
  set_network_counters(state, l);
}

void BM_Load(benchmark::State& state) {
  const std::filesystem::path folder = network_folder(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    Network network = load_network(folder);
    benchmark::DoNotOptimize(network.node_count());
  }
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  set_network_counters(state, l);
  state.counters["bytes_per_link"] = bytes_per_link(l);
}

// A folder of its own holding the road layer of the tiled network, and no network files.
std::filesystem::path build_folder(const benchmark::State& state, const char* name) {
  const std::filesystem::path source = network_folder(int(state.range(0)), int(state.range(1)));
  const std::filesystem::path folder =
      source.parent_path() / (source.filename().string() + "-" + name);
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  for (const char* ext : {".shp", ".shx", ".dbf"})
    std::filesystem::copy_file(source / (std::string("roads") + ext),
                               folder / (std::string("roads") + ext));
  return folder;
}

// The peak memory of the process so far; run one build benchmark per process to read it as
// that build's.
void set_peak_memory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

// A first build: no network files stand in the folder.
void BM_Build(benchmark::State& state) {
  const std::filesystem::path folder = build_folder(state, "build");
  for (auto _ : state) {
    state.PauseTiming();
    for (const std::string_view file : {link_file, dist_file, coord_file, node_file})
      std::filesystem::remove(folder / file);
    state.ResumeTiming();
    create_network(folder, "roads", 7);
  }
  set_peak_memory(state);
  set_network_counters(state, loaded(int(state.range(0)), int(state.range(1))));
}

// A rebuild over the files of the same layer: with closed roads or temporary speeds to carry
// over (carry:1) the old links are compared with the new ones, with none (carry:0) they are not.
void BM_Rebuild(benchmark::State& state) {
  const std::filesystem::path folder = build_folder(state, "rebuild");
  const bool compare_links = state.range(2) != 0;
  create_network(folder, "roads", 7, {}, false);
  for (auto _ : state)
    benchmark::DoNotOptimize(create_network(folder, "roads", 7, {}, compare_links));
  set_peak_memory(state);
  set_network_counters(state, loaded(int(state.range(0)), int(state.range(1))));
}

// What every calculation does first: drop the last run's settings, send 300 closures and 300
// temporary speeds, and make the run's cost array.
void BM_CostReset(benchmark::State& state) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  CostSettings settings;
  ArcCosts costs;
  compute_arc_costs(l.network, settings, {0, 1, 1, 0}, costs);
  std::vector<LinkId> links;
  for (NodeId v : l.random_nodes)
    if (links.size() < 600 && l.network.graph.arcs_end(v) > l.network.graph.arcs_begin(v))
      links.push_back(link_of(l.network.graph.arc_link[l.network.graph.arcs_begin(v)]));
  for (auto _ : state) {
    settings.reset();
    for (std::size_t k = 0; k < 300; ++k) {
      settings.close_link(l.network, links[k]);
      settings.set_temp_speed(l.network, links[300 + k], 30);
    }
    compute_arc_costs(l.network, settings, {0, 1, 1, 0}, costs);
    benchmark::DoNotOptimize(costs.arcs.data());
  }
  set_network_counters(state, l);
}

// A run whose weights differ from the last one's: every arc's cost is made anew.
void BM_CostFull(benchmark::State& state) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  CostSettings settings;
  ArcCosts costs;
  const Weights weights[] = {{1, 0, 0, 1}, {0, 1, 1, 0}};
  std::size_t i = 0;
  for (auto _ : state) {
    compute_arc_costs(l.network, settings, weights[i++ % 2], costs);
    benchmark::DoNotOptimize(costs.arcs.data());
  }
  set_network_counters(state, l);
}

// Finding the roundabouts, which the first route with directions waits for.
void BM_Roundabouts(benchmark::State& state) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  for (auto _ : state) {
    Roundabouts roundabouts(l.network);
    benchmark::DoNotOptimize(roundabouts.is_link(1));
  }
  set_network_counters(state, l);
}

// A 1000 x 1000 time-distance table: one one-to-all search per origin, on every core.
template <class Solver> void matrix(benchmark::State& state, Solver make_solver) {
  const Loaded& l = loaded(1, 1);
  const std::size_t count = 1000;
  const std::vector<NodeId> places(l.random_nodes.begin(), l.random_nodes.begin() + count);
  std::vector<double> table(count * count);
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  for (auto _ : state) {
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < threads; ++t)
      workers.emplace_back([&, t] {
        auto solve = make_solver(l);
        for (std::size_t o = t; o < count; o += threads)
          solve(places[o], places, &table[o * count]);
      });
    for (std::thread& worker : workers)
      worker.join();
    benchmark::DoNotOptimize(table.data());
  }
  state.counters["threads"] = threads;
}

void BM_Matrix(benchmark::State& state) {
  matrix(state, [](const Loaded& l) {
    return [&l, search = std::make_shared<Search>(l.network)](
               NodeId origin, const std::vector<NodeId>& places, double* row) {
      solve_from_node(*search, l.costs, origin, 0);
      for (std::size_t d = 0; d < places.size(); ++d)
        row[d] = search->secondary(places[d]);
    };
  });
}

void BM_Matrix_Reference(benchmark::State& state) {
  matrix(state, [](const Loaded& l) {
    return [reference = std::make_shared<ReferenceDijkstra>(l.network, l.costs)](
               NodeId origin, const std::vector<NodeId>& places, double* row) {
      reference->run(origin);
      for (std::size_t d = 0; d < places.size(); ++d)
        row[d] = reference->distance(places[d]);
    };
  });
}

// The link isochrone's search and link values, and the search from 20 centres with their owners
// and link values, each beside the textbook search from the same sources. The cut-off (second
// argument, km; 0 none) bounds both.
std::vector<NodeId> centres(const Loaded& l, std::size_t count, std::size_t& next) {
  std::vector<NodeId> picked;
  for (std::size_t k = 0; k < count; ++k)
    picked.push_back(l.random_nodes[next++ % l.random_nodes.size()]);
  return picked;
}

void BM_CentresLinkValues(benchmark::State& state) {
  const Loaded& l = loaded(8, 7);
  const std::size_t count = std::size_t(state.range(0));
  const double cutoff = double(state.range(1));
  Search search(l.network);
  CentreOwners owners;
  std::vector<LinkReach> reach;
  std::size_t settled = 0, next = 0;
  for (auto _ : state) {
    solve_from_centres(search, l.costs, centres(l, count, next), cutoff, owners);
    reach_of_links(search, l.costs, &owners, cutoff, reach);
    settled += search.settled_nodes().size();
  }
  settled_rate(state, settled);
  set_network_counters(state, l);
}

void BM_CentresLinkValues_Reference(benchmark::State& state) {
  const Loaded& l = loaded(8, 7);
  const std::size_t count = std::size_t(state.range(0));
  const double cutoff = state.range(1) > 0 ? double(state.range(1)) : 1e300;
  ReferenceDijkstra reference(l.network, l.costs);
  std::size_t settled = 0, next = 0;
  for (auto _ : state)
    settled += reference.run_from_all(centres(l, count, next), cutoff);
  settled_rate(state, settled);
  set_network_counters(state, l);
}

BENCHMARK(BM_CentresLinkValues)
    ->Args({1, 5})
    ->Args({1, 0})
    ->Args({20, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CentresLinkValues_Reference)
    ->Args({1, 5})
    ->Args({1, 0})
    ->Args({20, 0})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneToAll)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneToAll_Reference)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Route)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Route_Reference)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build)->Args({8, 7})->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Rebuild)
    ->ArgNames({"", "", "carry"})
    ->Args({8, 7, 0})
    ->Args({8, 7, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
BENCHMARK(BM_CostReset)->Args({8, 7})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CostFull)->Args({8, 7})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Roundabouts)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Matrix)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Matrix_Reference)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tamix::bench

BENCHMARK_MAIN();
