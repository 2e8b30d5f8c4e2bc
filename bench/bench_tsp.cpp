// Tours on the sample network: the cost matrix between the stops (one search per stop, all
// cores) and the ordering, beside the textbook reference computing the same matrix.
//
//   build-xxx/bin/bench_tsp --benchmark_counters_tabular=true

#include "reference_dijkstra.h"
#include "tiled_network.h"

#include "costs.h"
#include "network_files.h"
#include "search.h"
#include "tsp.h"
#include "tsp_costs.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>
#include <random>

namespace tamix::bench {
namespace {

struct Tour {
  Network network;
  CostSettings settings;
  ArcCosts costs;
  std::vector<NodeId> stops; // nodes all reachable from each other
};

// `count` seeded random stops of the sample network, drawn from the part of the network its
// middle node lies in (links are two-way, so they all reach each other).
Tour sample_tour(std::size_t count) {
  Tour t;
  t.network = load_network(network_folder(1, 1));
  compute_arc_costs(t.network, t.settings, {}, t.costs);
  Search search(t.network);
  search.run_from(t.costs, t.network.node_count() / 2);
  const auto reached = search.settled_nodes();
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, reached.size() - 1);
  while (t.stops.size() < count)
    t.stops.push_back(reached[pick(random)]);
  return t;
}

const Tour& sample_tour() {
  static const Tour tour = sample_tour(100);
  return tour;
}

TspCostFn matrix_costs(const std::vector<Cost>& matrix, std::size_t count) {
  return [&matrix, count](std::uint32_t a, std::uint32_t b) {
    const Cost c = matrix[a * count + b];
    return c >= inf_cost ? std::numeric_limits<double>::infinity() : c;
  };
}

void BM_TspMatrix(benchmark::State& state) {
  const Tour& t = sample_tour();
  for (auto _ : state)
    benchmark::DoNotOptimize(network_cost_matrix(t.network, t.costs, t.stops));
  state.counters["stops"] = double(t.stops.size());
}

void BM_TspMatrix_Reference(benchmark::State& state) {
  const Tour& t = sample_tour();
  ReferenceDijkstra reference(t.network, t.costs);
  for (auto _ : state) {
    std::vector<Cost> matrix;
    for (NodeId from : t.stops) {
      reference.run(from);
      for (NodeId to : t.stops)
        matrix.push_back(reference.distance(to));
    }
    benchmark::DoNotOptimize(matrix);
  }
  state.counters["stops"] = double(t.stops.size());
}

// What SolveTsp does for 100 stops on the network: the matrix, then the order.
void BM_Tsp100(benchmark::State& state) {
  const Tour& t = sample_tour();
  double cost = 0;
  for (auto _ : state) {
    const std::vector<Cost> matrix = network_cost_matrix(t.network, t.costs, t.stops);
    const TspTour tour = solve_tsp(std::uint32_t(t.stops.size()), TspMode(state.range(0)),
                                   matrix_costs(matrix, t.stops.size()));
    cost = tour.cost;
  }
  state.counters["cost_km"] = cost;
}

// The ordering alone, on random points in a square, up to the largest tour the add-in sends.
void BM_TspOrder(benchmark::State& state) {
  const auto count = std::uint32_t(state.range(0));
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(0, 10000);
  std::vector<double> x(count), y(count);
  for (std::uint32_t k = 0; k < count; ++k)
    x[k] = coordinate(random), y[k] = coordinate(random);
  const TspCostFn cost = [&](std::uint32_t a, std::uint32_t b) {
    return std::hypot(x[a] - x[b], y[a] - y[b]);
  };
  double length = 0;
  for (auto _ : state)
    length = solve_tsp(count, TspMode::round_trip, cost).cost;
  // Beardwood-Halton-Hammersley: an optimal tour of n random points in area A is about
  // 0.7124 sqrt(n A) long (plus an edge effect for small n), a yardstick for the quality.
  state.counters["vs_bhh"] = length / (0.7124 * std::sqrt(count * 1e8));
}

// A round trip through n seeded random stops of the sample network as SolveTsp makes it: the
// matrix and the order. Beside it the tour of a plain local search (2-opt and Or-opt from the
// nearest-neighbour tour, no kicks) on the same matrix, and how far each lies above the best
// tour known for these stops (BM_TspBestKnown; `best_km` below, 0 where not measured).
void BM_TspRoundTrip(benchmark::State& state) {
  const auto count = std::size_t(state.range(0));
  const Tour t = sample_tour(count);
  double cost = 0;
  std::vector<Cost> matrix;
  for (auto _ : state) {
    matrix = network_cost_matrix(t.network, t.costs, t.stops);
    cost = solve_tsp(std::uint32_t(count), TspMode::round_trip, matrix_costs(matrix, count)).cost;
  }
  TspOptions plain;
  plain.kicks = 0;
  const double plain_cost =
      solve_tsp(std::uint32_t(count), TspMode::round_trip, matrix_costs(matrix, count), plain).cost;
  state.counters["km"] = cost;
  state.counters["plain_km"] = plain_cost;
  state.counters["plain_over"] = plain_cost / cost - 1;
  const double best_km = state.range(1) / 1000.0;
  if (best_km > 0)
    state.counters["over_best"] = cost / best_km - 1;
}

// The best tour the solver finds on those stops given about a minute: the same search with
// many more kicks (as many as take some 60 s on the development machine).
void BM_TspBestKnown(benchmark::State& state) {
  const auto count = std::size_t(state.range(0));
  const Tour t = sample_tour(count);
  const std::vector<Cost> matrix = network_cost_matrix(t.network, t.costs, t.stops);
  TspOptions long_search;
  long_search.kicks = std::uint32_t(state.range(1));
  double cost = 0;
  for (auto _ : state)
    cost = solve_tsp(std::uint32_t(count), TspMode::round_trip, matrix_costs(matrix, count),
                     long_search)
               .cost;
  state.counters["best_km"] = cost;
}

BENCHMARK(BM_TspMatrix)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TspMatrix_Reference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tsp100)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TspOrder)->Arg(12)->Arg(100)->Arg(1000)->Arg(3001)->Unit(benchmark::kMillisecond);
// The second argument: the best known tour in metres (from BM_TspBestKnown), 0 for none.
BENCHMARK(BM_TspRoundTrip)
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({3001, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(BM_TspBestKnown)
    ->Args({100, 1500000})
    ->Args({1000, 600000})
    ->Unit(benchmark::kSecond)
    ->Iterations(1);

} // namespace
} // namespace tamix::bench

BENCHMARK_MAIN();
