#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamix::tsp {

// The dense cost table of the one problem every mode is turned into: the cheapest cycle through
// all stops, stop 0 first. Entries are finite: an arc that must not be used costs `penalty()`,
// more than any tour of allowed arcs, so no search ever prefers it.
class CostTable {
public:
  explicit CostTable(std::uint32_t size)
      : size_(size), cost_(static_cast<std::size_t>(size) * size) {}

  std::uint32_t size() const { return size_; }
  double penalty() const { return penalty_; }
  void set_penalty(double penalty) { penalty_ = penalty; }
  double operator()(std::uint32_t from, std::uint32_t to) const {
    return cost_[static_cast<std::size_t>(from) * size_ + to];
  }
  double& at(std::uint32_t from, std::uint32_t to) {
    return cost_[static_cast<std::size_t>(from) * size_ + to];
  }

  // The cost of visiting `order` and returning to its first stop.
  double cycle_cost(const std::vector<std::uint32_t>& order) const {
    double sum = 0;
    for (std::size_t k = 0; k < order.size(); ++k)
      sum += (*this)(order[k], order[(k + 1) % order.size()]);
    return sum;
  }

private:
  std::uint32_t size_;
  std::vector<double> cost_;
  double penalty_ = 0;
};

// The optimal cycle, stop 0 first (Held-Karp dynamic programming; 2^size memory).
std::vector<std::uint32_t> exact_cycle(const CostTable& table);

// A near-optimal cycle, stop 0 first: nearest-neighbour construction, then 2-opt and Or-opt to a
// local optimum, repeated from perturbed tours (`kicks` times) with a fixed seed.
std::vector<std::uint32_t> search_cycle(const CostTable& table, std::uint32_t kicks);

} // namespace tamix::tsp
