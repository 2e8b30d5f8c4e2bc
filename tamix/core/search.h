#pragma once

// The one search core: Dijkstra over the network's arcs with a 4-ary indexed heap. It serves
// routes (early stop at a target), one-to-all trees (with a cut-off) and searches from several
// sources with initial costs. It minimises the primary cost and carries the secondary cost along
// the same tree.
//
// A Search owns its scratch space (labels, heap, timestamped flags), sized once for the network:
// a run allocates nothing and a new run resets in time proportional to what the previous one
// touched. Searches share nothing but the read-only network and costs, so one per thread may run
// at once.

#include "costs.h"
#include "graph.h"
#include "network.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tamix {

struct Source {
  NodeId node = no_node;
  Cost primary = 0;
  Cost secondary = 0;
};

struct SearchLimits {
  // Nodes whose primary cost exceeds the cut-off are left unsettled (unreached).
  Cost cutoff = inf_cost;
  // The search stops as soon as this node is settled (no_node: settle everything reachable).
  NodeId target = no_node;
  // With a target: a lower bound of the primary cost per map unit of straight line (0: none).
  // Nodes are then settled in order of cost so far plus the bound's cost of the straight line to
  // the target (A*), which settles far fewer nodes; settled labels stay exact because the bound
  // never exceeds the cost of any link (see lower_bound_per_map_unit in routes.h).
  double cost_per_map_unit = 0;
};

class Search {
public:
  explicit Search(const Network& network);

  // Runs from `sources` (nodes outside the network raise out_of_bounds; a node given twice keeps
  // its cheaper initial cost). Earlier results are forgotten.
  void run(const ArcCosts& costs, std::span<const Source> sources, SearchLimits limits = {});
  void run_from(const ArcCosts& costs, NodeId source, SearchLimits limits = {});

  // Results of the last run. Only settled nodes are reached; their labels are final.
  bool reached(NodeId node) const {
    return node < state_.size() && state_[node].stamp == round_ && round_ != 0 &&
           state_[node].heap_pos == settled_mark;
  }
  // inf_cost for a node not reached.
  Cost primary(NodeId node) const { return reached(node) ? state_[node].primary : inf_cost; }
  Cost secondary(NodeId node) const { return reached(node) ? tree_[node].secondary : inf_cost; }
  // The arc by which a reached node was entered, as a signed link (no_link for a source).
  SignedLink parent_link(NodeId node) const {
    return reached(node) ? tree_[node].parent : no_link;
  }
  // The node settled last (a source if nothing else): the farthest one reached, unless the
  // search ran toward a target with a bound.
  NodeId last_settled() const { return order_.empty() ? no_node : order_.back(); }
  // Reached nodes in the order they were settled (ascending primary cost, unless the search
  // ran toward a target with a bound).
  std::span<const NodeId> settled_nodes() const { return order_; }

  const Network& network() const { return network_; }

private:
  static constexpr std::uint32_t not_in_heap = ~std::uint32_t(0);
  static constexpr std::uint32_t settled_mark = not_in_heap - 1;

  // What the relaxation test reads per node, 16 bytes (four to a cache line). Valid only when
  // stamp == round_, and so are the node's tree label's fields.
  struct NodeState {
    Cost primary;
    std::uint32_t stamp;
    std::uint32_t heap_pos; // position in heap_, not_in_heap or settled_mark
  };
  // Kept apart from NodeState: most relaxations find the node already as cheap and never
  // touch it, and on large networks the smaller NodeState array misses the cache less.
  struct TreeLabel {
    Cost secondary;
    SignedLink parent;
  };

  void start_round();
  template <bool toward_target> void settle_all(const ArcCosts& costs, const SearchLimits& limits);
  void improve(NodeId node, Cost primary, Cost secondary, SignedLink parent, Cost key);
  NodeId heap_pop();
  void sift_up(std::uint32_t pos, Cost key, NodeId node);
  void sift_down(std::uint32_t pos, Cost key, NodeId node);

  const Network& network_;
  std::vector<NodeState> state_;
  std::vector<TreeLabel> tree_;
  // The heap: keys and their nodes side by side, so that a node's four children's keys share
  // half a cache line.
  std::vector<Cost> heap_key_;
  std::vector<NodeId> heap_node_;
  std::vector<NodeId> order_;
  std::uint32_t round_ = 0;
};

} // namespace tamix
