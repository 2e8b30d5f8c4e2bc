#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tamix {

// How a tour may start and end. Stop 0 always comes first.
enum class TspMode : std::uint8_t {
  start_end = 0,  // an open path from stop 0 to the last stop
  round_trip = 1, // a cycle back to stop 0 (the return is not listed in the order)
  start_only = 2, // an open path from stop 0 that ends anywhere
};

// Cost of going from stop `from` to stop `to` (0-based). +infinity = cannot be reached.
// Costs may be asymmetric; duplicate stops (cost 0 between them) are fine.
using TspCostFn = std::function<double(std::uint32_t from, std::uint32_t to)>;

struct TspOptions {
  // Up to this many stops the order is proven optimal by dynamic programming (time and memory
  // grow as 2^count); above it a local search finds a near-optimal order.
  std::uint32_t exact_limit = 15;
  // Perturbation rounds of the local search (none: a plain local search from the nearest-
  // neighbour tour); the seed is fixed, so a run repeats exactly. Unset: chosen from the count.
  std::optional<std::uint32_t> kicks;
};

struct TspTour {
  // Stop indices in visiting order (each stop once, stop 0 first); empty when unreachable.
  std::vector<std::uint32_t> order;
  // Sum of the legs, including the return leg for a round trip.
  double cost = 0;
  // Stops that the tour cannot reach (or, where the mode needs it, come back from).
  // Non-empty means there is no tour.
  std::vector<std::uint32_t> unreachable;
};

// Orders `count` stops (at least 1, at most a few thousand) to minimise the tour cost.
// Deterministic: the same input gives the same tour on every machine.
TspTour solve_tsp(std::uint32_t count, TspMode mode, const TspCostFn& cost,
                  const TspOptions& options = {});

} // namespace tamix
