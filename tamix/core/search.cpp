#include "search.h"

#include <algorithm>
#include <cmath>

namespace tamix {

namespace {

constexpr std::uint32_t arity = 4;

// Straight-line distance; coordinates are far too small for the squares to overflow, so the
// slower std::hypot is not needed on this hot path.
double straight_line(const Point& a, const Point& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

// The index of the lesser of keys[a] and keys[b] (a on a tie), chosen by arithmetic rather than
// a branch: which child of a heap node is least is a coin toss, and a mispredicted branch per
// comparison cost more than the rest of the search.
inline std::uint32_t lesser(const Cost* keys, std::uint32_t a, std::uint32_t b) {
  const std::uint32_t b_is_less = 0u - std::uint32_t(keys[b] < keys[a]);
  return a ^ ((a ^ b) & b_is_less);
}

} // namespace

Search::Search(const Network& network)
    : network_(network), state_(network.node_count() + 1, NodeState{0, 0, 0}),
      tree_(network.node_count() + 1, TreeLabel{0, no_link}) {
  heap_key_.reserve(network.node_count() + 1);
  heap_node_.reserve(network.node_count() + 1);
  order_.reserve(network.node_count() + 1);
}

void Search::start_round() {
  // Stamps make the previous round's states stale without touching them; only when the counter
  // wraps are they cleared for real.
  if (++round_ == 0) {
    for (NodeState& state : state_)
      state.stamp = 0;
    round_ = 1;
  }
  heap_key_.clear();
  heap_node_.clear();
  order_.clear();
}

void Search::run_from(const ArcCosts& costs, NodeId source, SearchLimits limits) {
  Source only{source, 0, 0};
  run(costs, std::span<const Source>(&only, 1), limits);
}

// Gives `node` a cheaper label, or its first one; the node must not be settled. `key` orders
// the heap: the primary cost, plus the bound to the target when searching toward one.
inline void Search::improve(NodeId node, Cost primary, Cost secondary, SignedLink parent,
                            Cost key) {
  NodeState& state = state_[node];
  if (state.stamp != round_) {
    state = {primary, round_, std::uint32_t(heap_key_.size())};
    tree_[node] = {secondary, parent};
    heap_key_.push_back(key);
    heap_node_.push_back(node);
    sift_up(state.heap_pos, key, node);
  } else if (primary < state.primary && state.heap_pos != settled_mark) {
    state.primary = primary;
    tree_[node] = {secondary, parent};
    sift_up(state.heap_pos, key, node);
  }
}

void Search::run(const ArcCosts& costs, std::span<const Source> sources, SearchLimits limits) {
  start_round();
  const bool toward_target = limits.target != no_node && limits.cost_per_map_unit > 0;
  if (toward_target)
    check_node(network_, limits.target);
  const Point goal = toward_target ? network_.node_points[limits.target] : Point{};
  for (const Source& source : sources) {
    check_node(network_, source.node);
    if (source.primary > limits.cutoff)
      continue;
    const Point& p = network_.node_points[source.node];
    const Cost bound = toward_target ? limits.cost_per_map_unit * straight_line(p, goal) : 0;
    improve(source.node, source.primary, source.secondary, no_link, source.primary + bound);
  }
  if (toward_target)
    settle_all<true>(costs, limits);
  else
    settle_all<false>(costs, limits);
}

template <bool toward_target>
void Search::settle_all(const ArcCosts& costs, const SearchLimits& limits) {
  const ArcCosts::Arc* arcs = costs.arcs.data();
  const ArcId* first_out = network_.graph.first_out.data();
  const Point* points = network_.node_points.data();
  const Point goal = toward_target ? points[limits.target] : Point{};
  // Below inf_cost, so that one comparison drops impassable arcs and those beyond the cut-off.
  const Cost cutoff = std::min(limits.cutoff, inf_cost / 2);
  while (!heap_key_.empty()) {
    const NodeId node = heap_pop();
    order_.push_back(node);
    if (node == limits.target)
      break;
    const Cost from_primary = state_[node].primary;
    const Cost from_secondary = tree_[node].secondary;
    const ArcId end = first_out[node + 1];
    for (ArcId a = first_out[node]; a < end; ++a) {
      const ArcCosts::Arc& arc = arcs[a];
      const Cost primary = from_primary + arc.primary;
      if (primary > cutoff)
        continue;
      const NodeId next = arc.head;
      // Settled nodes fail this test too, as costs are never negative (improve() still guards
      // against rounding in a search toward a target).
      const NodeState& state = state_[next];
      if (state.stamp == round_ && state.primary <= primary)
        continue;
      Cost key = primary;
      if constexpr (toward_target)
        key += limits.cost_per_map_unit * straight_line(points[next], goal);
      // The node will be settled after a while in the heap: have its arcs on their way to the
      // cache by then (on large networks they are otherwise a miss per settled node).
      __builtin_prefetch(arcs + first_out[next]);
      improve(next, primary, from_secondary + arc.secondary, arc.link, key);
    }
  }
}

inline NodeId Search::heap_pop() {
  const NodeId top = heap_node_[0];
  state_[top].heap_pos = settled_mark;
  const Cost last_key = heap_key_.back();
  const NodeId last_node = heap_node_.back();
  heap_key_.pop_back();
  heap_node_.pop_back();
  if (!heap_key_.empty())
    sift_down(0, last_key, last_node);
  return top;
}

inline void Search::sift_up(std::uint32_t pos, Cost key, NodeId node) {
  while (pos > 0) {
    const std::uint32_t parent = (pos - 1) / arity;
    if (!(key < heap_key_[parent]))
      break;
    heap_key_[pos] = heap_key_[parent];
    heap_node_[pos] = heap_node_[parent];
    state_[heap_node_[pos]].heap_pos = pos;
    pos = parent;
  }
  heap_key_[pos] = key;
  heap_node_[pos] = node;
  state_[node].heap_pos = pos;
}

// Moves the hole at `pos` down to a leaf along the least children, then lets (key, node) rise
// from there. The entry placed is the heap's last, which belongs near the bottom, so this saves
// the comparison with it on every level on the way down.
inline void Search::sift_down(std::uint32_t pos, Cost key, NodeId node) {
  const std::uint32_t size = std::uint32_t(heap_key_.size());
  const Cost* keys = heap_key_.data();
  for (;;) {
    const std::uint32_t first = pos * arity + 1;
    if (first >= size)
      break;
    std::uint32_t best = first;
    if (first + arity <= size) {
      best = lesser(keys, lesser(keys, first, first + 1), lesser(keys, first + 2, first + 3));
    } else {
      for (std::uint32_t c = first + 1; c < size; ++c)
        if (keys[c] < keys[best])
          best = c;
    }
    heap_key_[pos] = keys[best];
    heap_node_[pos] = heap_node_[best];
    state_[heap_node_[pos]].heap_pos = pos;
    pos = best;
  }
  sift_up(pos, key, node);
}

} // namespace tamix
