#include <cstdint>
#include <limits>
#include <vector>

#include "tsp_table.h"

namespace tamix::tsp {

// best[set][last]: the cheapest path that starts at stop 0, visits exactly the stops of `set`
// (bit k = stop k + 1) and ends at stop `last` + 1.
std::vector<std::uint32_t> exact_cycle(const CostTable& table) {
  const std::uint32_t n = table.size();
  if (n <= 2) {
    std::vector<std::uint32_t> order(n);
    for (std::uint32_t k = 0; k < n; ++k) order[k] = k;
    return order;
  }
  const std::uint32_t free = n - 1;
  const std::size_t sets = std::size_t{1} << free;
  constexpr double inf = std::numeric_limits<double>::infinity();
  std::vector<double> best(sets * free, inf);
  std::vector<std::uint8_t> before(sets * free, 0);
  for (std::uint32_t k = 0; k < free; ++k) best[(std::size_t{1} << k) * free + k] = table(0, k + 1);

  for (std::size_t set = 1; set < sets; ++set) {
    for (std::uint32_t last = 0; last < free; ++last) {
      if (!(set >> last & 1)) continue;
      const double here = best[set * free + last];
      if (here == inf) continue;
      for (std::uint32_t next = 0; next < free; ++next) {
        if (set >> next & 1) continue;
        const std::size_t grown = set | std::size_t{1} << next;
        const double cost = here + table(last + 1, next + 1);
        if (cost < best[grown * free + next]) {
          best[grown * free + next] = cost;
          before[grown * free + next] = static_cast<std::uint8_t>(last);
        }
      }
    }
  }

  const std::size_t all = sets - 1;
  std::uint32_t last = 0;
  double cheapest = inf;
  for (std::uint32_t k = 0; k < free; ++k) {
    const double cost = best[all * free + k] + table(k + 1, 0);
    if (cost < cheapest) {
      cheapest = cost;
      last = k;
    }
  }
  std::vector<std::uint32_t> order(n);
  std::size_t set = all;
  for (std::uint32_t position = n - 1; position >= 1; --position) {
    order[position] = last + 1;
    const std::uint32_t previous = before[set * free + last];
    set &= ~(std::size_t{1} << last);
    last = previous;
  }
  order[0] = 0;
  return order;
}

} // namespace tamix::tsp
