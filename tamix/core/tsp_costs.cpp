#include "tsp_costs.h"

#include "search.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <unordered_map>

namespace tamix {

std::vector<Cost> network_cost_matrix(const Network& network, const ArcCosts& costs,
                                      std::span<const NodeId> nodes) {
  std::vector<NodeId> distinct(nodes.begin(), nodes.end());
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  std::unordered_map<NodeId, std::size_t> column;
  for (std::size_t k = 0; k < distinct.size(); ++k) column[distinct[k]] = k;

  // rows[r][c]: from distinct node r to distinct node c.
  std::vector<std::vector<Cost>> rows(distinct.size());
  const std::size_t workers =
      std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, distinct.size());
  std::vector<std::exception_ptr> failures(workers);
  std::vector<std::thread> threads;
  for (std::size_t worker = 0; worker < workers; ++worker)
    threads.emplace_back([&, worker] {
      try {
        Search search(network);
        for (std::size_t r = worker; r < distinct.size(); r += workers) {
          search.run_from(costs, distinct[r]);
          rows[r].resize(distinct.size());
          for (std::size_t c = 0; c < distinct.size(); ++c)
            rows[r][c] = search.primary(distinct[c]);
        }
      } catch (...) {
        failures[worker] = std::current_exception();
      }
    });
  for (std::thread& thread : threads) thread.join();
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);

  std::vector<Cost> matrix(nodes.size() * nodes.size());
  for (std::size_t a = 0; a < nodes.size(); ++a)
    for (std::size_t b = 0; b < nodes.size(); ++b)
      matrix[a * nodes.size() + b] = rows[column[nodes[a]]][column[nodes[b]]];
  return matrix;
}

bool all_reached_from(const Network& network, const ArcCosts& costs, NodeId from,
                      std::span<const NodeId> nodes) {
  Search search(network);
  search.run_from(costs, from);
  return std::all_of(nodes.begin(), nodes.end(), [&](NodeId n) { return search.reached(n); });
}

} // namespace tamix
