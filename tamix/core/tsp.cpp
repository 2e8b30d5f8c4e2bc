#include "tsp.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "tsp_table.h"

namespace tamix {
namespace {

constexpr double unreachable_cost = std::numeric_limits<double>::infinity();
// Beyond this the exact table (2^count entries per stop) outgrows any sensible memory.
constexpr std::uint32_t largest_exact_count = 20;

tsp::CostTable read_costs(std::uint32_t count, const TspCostFn& cost) {
  tsp::CostTable table(count);
  for (std::uint32_t from = 0; from < count; ++from)
    for (std::uint32_t to = 0; to < count; ++to) {
      const double value = from == to ? 0.0 : cost(from, to);
      table.at(from, to) = std::isfinite(value) ? value : unreachable_cost;
    }
  return table;
}

// The stops without a finite way from the start or, where the mode needs one, on to the end
// or back to the start (asked only when all are reached from the start, so the answer names the
// stops that are really cut off). Shortest-path costs are closed under joining, so when every
// stop passes, some tour of finite legs exists.
std::vector<std::uint32_t> unreachable_stops(const tsp::CostTable& table, TspMode mode) {
  const std::uint32_t n = table.size();
  const auto failing = [&](auto&& fails) {
    std::vector<std::uint32_t> stops;
    for (std::uint32_t stop = 1; stop < n; ++stop)
      if (fails(stop))
        stops.push_back(stop);
    return stops;
  };
  auto stops = failing([&](std::uint32_t stop) { return table(0, stop) == unreachable_cost; });
  if (!stops.empty() || mode == TspMode::start_only)
    return stops;
  const std::uint32_t home = mode == TspMode::round_trip ? 0 : n - 1;
  return failing([&](std::uint32_t stop) { return table(stop, home) == unreachable_cost; });
}

// Every mode becomes the cheapest cycle through all stops from stop 0 by editing the costs of
// the way back to stop 0. Example with three stops (P = the penalty, an arc no tour should take):
//
//   costs read         start_end (stop 2 ends)    start_only
//      0  1  2            0  1  2                    0  1  2
//   0  -  4  7         0  -  4  7                 0  -  4  7
//   1  4  -  3         1  P  -  3                 1  0  -  3
//   2  7  3  -         2  0  3  -                 2  0  3  -
//
// start_end: only the end may close the cycle, and for free, so the best cycle runs 0 ... 2
// and is the best path from 0 to 2. start_only: coming back to stop 0 is free from anywhere,
// so the best cycle is the best path from 0 ending anywhere. A round trip keeps the costs read.
// The costs among the other stops stay untouched, so symmetric costs stay symmetric there.
void shape_for_mode(tsp::CostTable& table, TspMode mode) {
  const std::uint32_t n = table.size();
  if (mode == TspMode::round_trip || n < 2)
    return;
  for (std::uint32_t from = 1; from < n; ++from)
    table.at(from, 0) = mode == TspMode::start_only || from == n - 1 ? 0 : unreachable_cost;
}

// Puts a finite penalty in place of every infinite cost: more than any tour of finite legs
// costs, so the searches never prefer it, yet their arithmetic stays finite.
void replace_infinite_costs(tsp::CostTable& table) {
  const std::uint32_t n = table.size();
  double largest = 0;
  for (std::uint32_t from = 0; from < n; ++from)
    for (std::uint32_t to = 0; to < n; ++to)
      if (table(from, to) != unreachable_cost)
        largest = std::max(largest, std::abs(table(from, to)));
  const double penalty = 2.0 * (n + 1.0) * (largest + 1.0);
  table.set_penalty(penalty);
  for (std::uint32_t from = 0; from < n; ++from)
    for (std::uint32_t to = 0; to < n; ++to)
      if (table(from, to) == unreachable_cost)
        table.at(from, to) = penalty;
}

std::uint32_t default_kicks(std::uint32_t count) {
  return std::clamp(10 * count, 300u, 3000u);
}

} // namespace

TspTour solve_tsp(std::uint32_t count, TspMode mode, const TspCostFn& cost,
                  const TspOptions& options) {
  TspTour tour;
  if (count == 0)
    return tour;
  tsp::CostTable table = read_costs(count, cost);
  tour.unreachable = unreachable_stops(table, mode);
  if (!tour.unreachable.empty())
    return tour;

  shape_for_mode(table, mode);
  replace_infinite_costs(table);
  const std::uint32_t exact_limit = std::min(options.exact_limit, largest_exact_count);
  std::vector<std::uint32_t> order =
      count <= exact_limit ? tsp::exact_cycle(table)
                           : tsp::search_cycle(table, options.kicks.value_or(default_kicks(count)));

  // The order the stops were given in is a valid tour too; never answer worse than it.
  std::vector<std::uint32_t> given(count);
  std::iota(given.begin(), given.end(), 0u);
  if (table.cycle_cost(given) < table.cycle_cost(order))
    order = given;

  for (std::uint32_t k = 0; k < count; ++k)
    if (table(order[k], order[(k + 1) % count]) >= table.penalty())
      tour.unreachable.push_back(order[(k + 1) % count]);
  if (!tour.unreachable.empty())
    return tour;

  tour.cost = table.cycle_cost(order);
  tour.order = std::move(order);
  return tour;
}

} // namespace tamix
