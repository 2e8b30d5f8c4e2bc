#include "search.h"

#include "error.h"

#include <algorithm>
#include <string>

namespace tamix {

namespace {

constexpr std::uint32_t not_in_heap = ~std::uint32_t(0);
constexpr std::uint32_t arity = 4;

} // namespace

Search::Search(const Network& network)
    : network_(network), label_(network.node_count() + 1), parent_(network.node_count() + 1),
      stamp_(network.node_count() + 1, 0), settled_(network.node_count() + 1, 0),
      heap_pos_(network.node_count() + 1, not_in_heap) {
  heap_.reserve(network.node_count() + 1);
  order_.reserve(network.node_count() + 1);
}

void Search::start_round() {
  // Stamps make the previous round's labels stale without touching them; only when the counter
  // wraps are the arrays cleared for real.
  if (++round_ == 0) {
    std::fill(stamp_.begin(), stamp_.end(), 0);
    std::fill(settled_.begin(), settled_.end(), 0);
    round_ = 1;
  }
  for (const HeapEntry& entry : heap_)
    heap_pos_[entry.node] = not_in_heap;
  heap_.clear();
  order_.clear();
}

void Search::run_from(const ArcCosts& costs, NodeId source, SearchLimits limits) {
  Source only{source, 0, 0};
  run(costs, std::span<const Source>(&only, 1), limits);
}

bool Search::improve(NodeId node, Cost primary, Cost secondary, SignedLink parent) {
  if (stamp_[node] == round_ && label_[node].primary <= primary)
    return false;
  stamp_[node] = round_;
  label_[node] = {primary, secondary};
  parent_[node] = parent;
  heap_push_or_decrease(node, primary);
  return true;
}

void Search::run(const ArcCosts& costs, std::span<const Source> sources, SearchLimits limits) {
  start_round();
  for (const Source& source : sources) {
    if (!network_.has_node(source.node))
      throw Error(code::out_of_bounds, "the network has no node " + std::to_string(source.node));
    if (source.primary <= limits.cutoff)
      improve(source.node, source.primary, source.secondary, no_link);
  }
  const Graph& graph = network_.graph;
  const Cost* primary_cost = costs.primary.data();
  const Cost* secondary_cost = costs.secondary.data();
  while (!heap_.empty()) {
    const NodeId node = heap_pop();
    settled_[node] = round_;
    order_.push_back(node);
    if (node == limits.target)
      break;
    const Label from = label_[node];
    const ArcId end = graph.arcs_end(node);
    for (ArcId a = graph.arcs_begin(node); a < end; ++a) {
      const Cost step = primary_cost[a];
      if (step >= inf_cost)
        continue;
      const NodeId next = graph.head[a];
      const Cost primary = from.primary + step;
      if (primary > limits.cutoff || settled_[next] == round_)
        continue;
      improve(next, primary, from.secondary + secondary_cost[a], graph.arc_link[a]);
    }
  }
}

void Search::heap_push_or_decrease(NodeId node, Cost key) {
  std::uint32_t pos = heap_pos_[node];
  if (pos == not_in_heap) {
    pos = std::uint32_t(heap_.size());
    heap_.push_back({key, node});
  } else {
    heap_[pos].key = key;
  }
  heap_pos_[node] = pos;
  sift_up(pos);
}

NodeId Search::heap_pop() {
  const NodeId top = heap_[0].node;
  heap_pos_[top] = not_in_heap;
  const HeapEntry last = heap_.back();
  heap_.pop_back();
  if (!heap_.empty()) {
    heap_[0] = last;
    heap_pos_[last.node] = 0;
    sift_down(0);
  }
  return top;
}

void Search::sift_up(std::uint32_t pos) {
  const HeapEntry entry = heap_[pos];
  while (pos > 0) {
    const std::uint32_t parent = (pos - 1) / arity;
    if (!(entry.key < heap_[parent].key))
      break;
    heap_[pos] = heap_[parent];
    heap_pos_[heap_[pos].node] = pos;
    pos = parent;
  }
  heap_[pos] = entry;
  heap_pos_[entry.node] = pos;
}

void Search::sift_down(std::uint32_t pos) {
  const HeapEntry entry = heap_[pos];
  const std::uint32_t size = std::uint32_t(heap_.size());
  for (;;) {
    const std::uint32_t first = pos * arity + 1;
    if (first >= size)
      break;
    const std::uint32_t last = std::min(first + arity, size);
    std::uint32_t best = first;
    for (std::uint32_t c = first + 1; c < last; ++c)
      if (heap_[c].key < heap_[best].key)
        best = c;
    if (!(heap_[best].key < entry.key))
      break;
    heap_[pos] = heap_[best];
    heap_pos_[heap_[pos].node] = pos;
    pos = best;
  }
  heap_[pos] = entry;
  heap_pos_[entry.node] = pos;
}

} // namespace tamix
