#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "tsp_table.h"

namespace tamix::tsp {
namespace {

// A small generator of our own: the standard distributions differ between libraries, and the
// tour must repeat exactly everywhere.
class SplitMix {
public:
  explicit SplitMix(std::uint64_t seed) : state_(seed) {}
  std::uint32_t below(std::uint32_t bound) { return static_cast<std::uint32_t>(next() % bound); }

private:
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  std::uint64_t state_;
};

constexpr std::uint32_t neighbour_count = 10;
constexpr std::uint32_t longest_moved_segment = 3;

// For each stop, the stops nearest to it in either direction: the only partners a move tries.
std::vector<std::vector<std::uint32_t>> nearest_stops(const CostTable& table) {
  const std::uint32_t n = table.size();
  const std::uint32_t keep = std::min(neighbour_count, n - 1);
  std::vector<std::vector<std::uint32_t>> nearest(n);
  std::vector<std::uint32_t> others;
  for (std::uint32_t a = 0; a < n; ++a) {
    others.clear();
    for (std::uint32_t b = 0; b < n; ++b)
      if (b != a) others.push_back(b);
    const auto closeness = [&](std::uint32_t b) { return std::min(table(a, b), table(b, a)); };
    std::partial_sort(others.begin(), others.begin() + keep, others.end(),
                      [&](std::uint32_t x, std::uint32_t y) {
                        const double cx = closeness(x), cy = closeness(y);
                        return cx < cy || (cx == cy && x < y);
                      });
    nearest[a].assign(others.begin(), others.begin() + keep);
  }
  return nearest;
}

// When exactly one stop may close the cycle at finite cost (the fixed end of a start-end tour),
// the construction keeps it for the end.
std::vector<std::uint32_t> nearest_neighbour_cycle(const CostTable& table) {
  const std::uint32_t n = table.size();
  std::vector<bool> used(n, false);
  std::vector<std::uint32_t> closing;
  for (std::uint32_t stop = 1; stop < n; ++stop)
    if (table(stop, 0) < table.penalty()) closing.push_back(stop);
  std::vector<std::uint32_t> order{0};
  used[0] = true;
  if (closing.size() == 1) used[closing[0]] = true;
  while (order.size() < n - (closing.size() == 1 ? 1 : 0)) {
    const std::uint32_t at = order.back();
    std::uint32_t best = 0;
    for (std::uint32_t next = 1; next < n; ++next)
      if (!used[next] && (best == 0 || table(at, next) < table(at, best))) best = next;
    used[best] = true;
    order.push_back(best);
  }
  if (closing.size() == 1) order.push_back(closing[0]);
  return order;
}

// True when the costs among stops 1.. read the same both ways (to rounding): then reversing a
// stretch of the tour changes only its two end arcs.
bool symmetric_apart_from_start(const CostTable& table, double tolerance) {
  for (std::uint32_t a = 1; a < table.size(); ++a)
    for (std::uint32_t b = a + 1; b < table.size(); ++b)
      if (std::abs(table(a, b) - table(b, a)) > tolerance) return false;
  return true;
}

// A cycle under local search. Stop 0 stays at position 0. For asymmetric costs, prefix sums of
// the costs in both directions price the reversal of any stretch in constant time, which keeps
// 2-opt valid there.
class Tour {
public:
  Tour(const CostTable& table, std::vector<std::uint32_t> order, bool symmetric)
      : table_(&table), symmetric_(symmetric), order_(std::move(order)),
        position_(order_.size()), cost_(table.cycle_cost(order_)) {
    if (!symmetric_) forward_.resize(size()), backward_.resize(size());
    refresh(0, size() - 1);
  }

  double cost() const { return cost_; }

  const std::vector<std::uint32_t>& order() const { return order_; }
  std::uint32_t size() const { return static_cast<std::uint32_t>(order_.size()); }
  std::uint32_t at(std::uint32_t position) const { return order_[position % order_.size()]; }
  std::uint32_t position(std::uint32_t stop) const { return position_[stop]; }

  // Change of cost when positions first..last (1 <= first < last < size) are reversed.
  double reversal_gain(std::uint32_t first, std::uint32_t last) const {
    const CostTable& cost = *table_;
    const std::uint32_t before = at(first - 1), a = at(first), b = at(last), after = at(last + 1);
    double change = cost(before, b) + cost(a, after) - cost(before, a) - cost(b, after);
    if (!symmetric_)
      change += (backward_[last] - backward_[first]) - (forward_[last] - forward_[first]);
    return change;
  }
  void reverse(std::uint32_t first, std::uint32_t last) {
    cost_ += reversal_gain(first, last);
    std::reverse(order_.begin() + first, order_.begin() + last + 1);
    refresh(first, last);
  }

  // Change of cost when the stretch first..last is taken out and put back after position
  // `after` (outside the stretch and not just before it), keeping its direction.
  double move_gain(std::uint32_t first, std::uint32_t last, std::uint32_t after) const {
    const CostTable& cost = *table_;
    const std::uint32_t before = at(first - 1), a = at(first), b = at(last),
                        next = at(last + 1), p = at(after), s = at(after + 1);
    const double removed = cost(before, a) + cost(b, next) + cost(p, s);
    const double added = cost(before, next) + cost(p, a) + cost(b, s);
    return added - removed;
  }
  void move(std::uint32_t first, std::uint32_t last, std::uint32_t after) {
    cost_ += move_gain(first, last, after);
    auto begin = order_.begin();
    if (after > last) {
      std::rotate(begin + first, begin + last + 1, begin + after + 1);
      refresh(first, after);
    } else {
      std::rotate(begin + after + 1, begin + first, begin + last + 1);
      refresh(after + 1, last);
    }
  }

  // Orientation-keeping double bridge: 0 A B C D becomes 0 A C B D, with B and C short so the
  // change stays local. Returns the positions where the tour now has new neighbours.
  std::array<std::uint32_t, 3> double_bridge(SplitMix& random) {
    const std::uint32_t n = size();
    const std::uint32_t reach = std::min<std::uint32_t>(n - 3, 50);
    const std::uint32_t p1 = 1 + random.below(n - 3);
    const std::uint32_t p2 = std::min(p1 + 1 + random.below(reach), n - 2);
    const std::uint32_t p3 = std::min(p2 + 1 + random.below(reach), n - 1);
    const CostTable& cost = *table_;
    const std::uint32_t a_end = at(p1 - 1), b_first = at(p1), b_end = at(p2 - 1),
                        c_first = at(p2), c_end = at(p3 - 1), d_first = at(p3);
    cost_ += cost(a_end, c_first) + cost(c_end, b_first) + cost(b_end, d_first) -
             cost(a_end, b_first) - cost(b_end, c_first) - cost(c_end, d_first);
    auto begin = order_.begin();
    std::rotate(begin + p1, begin + p2, begin + p3);
    refresh(p1, p3 - 1);
    return {p1, p1 + p3 - p2, p3};
  }

private:
  // Positions first..last changed.
  void refresh(std::uint32_t first, std::uint32_t last) {
    for (std::uint32_t k = first; k <= last; ++k) position_[order_[k]] = k;
    if (symmetric_) return;
    const CostTable& cost = *table_;
    for (std::uint32_t k = std::max(first, 1u); k < size(); ++k) {
      forward_[k] = forward_[k - 1] + cost(order_[k - 1], order_[k]);
      backward_[k] = backward_[k - 1] + cost(order_[k], order_[k - 1]);
    }
  }

  const CostTable* table_;
  bool symmetric_;
  std::vector<std::uint32_t> order_;
  std::vector<std::uint32_t> position_;
  double cost_;
  std::vector<double> forward_, backward_; // only for asymmetric costs
};

// Local search with "don't look" bits: only stops next to a recent change are examined again.
class LocalSearch {
public:
  LocalSearch(const CostTable& table, double tolerance)
      : nearest_(nearest_stops(table)), tolerance_(tolerance), queued_(table.size(), false) {}

  void wake_all(const Tour& tour) {
    for (std::uint32_t stop : tour.order()) wake(stop);
  }
  // Wakes the stops around positions that a perturbation changed.
  void wake_around(const Tour& tour, std::uint32_t position) {
    for (std::uint32_t k = position + tour.size() - 1; k <= position + tour.size() + 1; ++k)
      wake(tour.at(k));
  }

  void run(Tour& tour) {
    while (!queue_.empty()) {
      const std::uint32_t stop = queue_.back();
      queue_.pop_back();
      queued_[stop] = false;
      if (improve_reversal(tour, stop) || improve_move(tour, stop)) wake(stop);
    }
  }

private:
  void wake(std::uint32_t stop) {
    if (!queued_[stop]) {
      queued_[stop] = true;
      queue_.push_back(stop);
    }
  }

  bool try_reversal(Tour& tour, std::int64_t first, std::int64_t last) {
    if (first < 1 || last <= first || last >= tour.size()) return false;
    const auto f = static_cast<std::uint32_t>(first), l = static_cast<std::uint32_t>(last);
    if (tour.reversal_gain(f, l) >= -tolerance_) return false;
    for (std::uint32_t k : {f - 1, f, l, l + 1}) wake(tour.at(k));
    tour.reverse(f, l);
    return true;
  }

  // A reversal of first..last adds the arcs (first-1 -> last) and (first -> last+1); try each
  // with `stop` at either end and a near stop at the other.
  bool improve_reversal(Tour& tour, std::uint32_t stop) {
    const std::int64_t n = tour.size();
    const std::int64_t here = tour.position(stop);
    for (std::uint32_t other : nearest_[stop]) {
      const std::int64_t there = tour.position(other);
      const std::int64_t there_end = there == 0 ? n : there;
      const std::int64_t here_end = here == 0 ? n : here;
      if (try_reversal(tour, here + 1, there) || try_reversal(tour, there + 1, here) ||
          try_reversal(tour, here, there_end - 1) || try_reversal(tour, there, here_end - 1))
        return true;
    }
    return false;
  }

  bool try_move(Tour& tour, std::uint32_t first, std::uint32_t last, std::uint32_t after) {
    if (after + 1 >= first && after <= last) return false;
    if (tour.move_gain(first, last, after) >= -tolerance_) return false;
    for (std::uint32_t k : {first - 1, first, last, last + 1, after, after + 1}) wake(tour.at(k));
    tour.move(first, last, after);
    return true;
  }

  // Or-opt: a stretch of up to three stops that starts or ends at `stop` moves next to one of
  // the stops near its ends.
  bool improve_move(Tour& tour, std::uint32_t stop) {
    const std::uint32_t n = tour.size();
    const std::uint32_t here = tour.position(stop);
    if (here == 0) return false;
    for (std::uint32_t length = 1; length <= longest_moved_segment; ++length) {
      for (std::uint32_t first : {here, here + 1 - length}) {
        if (first < 1 || first > here || first + length > n) continue;
        const std::uint32_t last = first + length - 1;
        for (std::uint32_t near : nearest_[tour.at(first)])
          if (try_move(tour, first, last, tour.position(near))) return true;
        for (std::uint32_t near : nearest_[tour.at(last)]) {
          const std::uint32_t p = tour.position(near);
          if (try_move(tour, first, last, p == 0 ? n - 1 : p - 1)) return true;
        }
      }
    }
    return false;
  }

  std::vector<std::vector<std::uint32_t>> nearest_;
  double tolerance_;
  std::vector<bool> queued_;
  std::vector<std::uint32_t> queue_;
};

} // namespace

std::vector<std::uint32_t> search_cycle(const CostTable& table, std::uint32_t kicks) {
  const std::uint32_t n = table.size();
  if (n <= 3) return exact_cycle(table);

  double largest = 0;
  for (std::uint32_t a = 0; a < n; ++a)
    for (std::uint32_t b = 0; b < n; ++b) largest = std::max(largest, std::abs(table(a, b)));
  // Gains smaller than this are rounding noise of the prefix sums, not improvements.
  const double tolerance = 1e-9 * (largest + 1);

  LocalSearch search(table, tolerance);
  Tour best(table, nearest_neighbour_cycle(table), symmetric_apart_from_start(table, tolerance));
  search.wake_all(best);
  search.run(best);

  SplitMix random(0x7A3D1C5Bu);
  for (std::uint32_t kick = 0; kick < kicks; ++kick) {
    Tour trial = best;
    for (std::uint32_t position : trial.double_bridge(random)) search.wake_around(trial, position);
    search.run(trial);
    if (trial.cost() < best.cost() - tolerance) best = trial;
  }
  return best.order();
}

} // namespace tamix::tsp
