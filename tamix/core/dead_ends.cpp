#include "link_parts.h"
#include "network_checks.h"

#include <algorithm>
#include <span>

namespace tamix {

namespace {

// A block as the search completes it.
struct Block {
  NodeId top;     // its node nearest the search's start: a cut node, or the start itself
  NodeId entered; // the node its first link leads to from `top`
  std::span<const LinkId> links;
  std::uint32_t nodes;
};

// Hopcroft and Tarjan's depth-first search for blocks, with explicit stacks in place of
// recursion. Links are told apart by number, not by their nodes, so parallel links make a
// ring; loops are passed over.
class BlockSearch {
public:
  explicit BlockSearch(const Network& network)
      : graph_(network.graph), order_(network.node_count() + 1, 0),
        low_(network.node_count() + 1, 0) {}

  // Visits the part of `start` and hands `on_block` every block of it as the block is
  // completed: every block beyond a block (away from `start`) comes before it. Nodes visited
  // by an earlier run are visited afresh.
  template <class OnBlock> void run(NodeId start, OnBlock&& on_block) {
    base_ = time_;
    discover(start, no_link);
    while (!frames_.empty()) {
      Frame& frame = frames_.back();
      const NodeId node = frame.node;
      if (frame.next < graph_.arcs_end(node)) {
        const ArcId arc = frame.next++;
        const LinkId link = link_of(graph_.arc_link[arc]);
        const NodeId head = graph_.head[arc];
        if (link == frame.parent || head == node)
          continue;
        if (!visited(head)) {
          stack_.push_back({link, true});
          discover(head, link);
        } else if (order_[head] < order_[node]) {
          // A link back toward the start; seen from its other end it is passed over below.
          stack_.push_back({link, false});
          low_[node] = std::min(low_[node], order_[head]);
        }
        continue;
      }
      const Frame done = frame;
      frames_.pop_back();
      if (frames_.empty())
        break;
      const NodeId top = frames_.back().node;
      if (low_[done.node] < order_[top]) {
        low_[top] = std::min(low_[top], low_[done.node]);
        continue;
      }
      // Nothing below `done.node` reaches above `top`: the links stacked since the one that
      // entered it make a block. Each of its nodes but the top was entered by one of them.
      block_.clear();
      std::uint32_t nodes = 1;
      StackedLink stacked;
      do {
        stacked = stack_.back();
        stack_.pop_back();
        block_.push_back(stacked.link);
        nodes += stacked.tree ? 1 : 0;
      } while (stacked.link != done.parent);
      on_block(Block{top, done.node, block_, nodes});
    }
  }

private:
  struct Frame {
    NodeId node;
    LinkId parent; // the link it was entered by
    ArcId next;    // its next arc to look at
  };
  struct StackedLink {
    LinkId link;
    bool tree; // it entered a node
  };

  bool visited(NodeId node) const { return order_[node] > base_; }
  void discover(NodeId node, LinkId parent) {
    order_[node] = low_[node] = ++time_;
    frames_.push_back({node, parent, graph_.arcs_begin(node)});
  }

  const Graph& graph_;
  std::vector<std::uint32_t> order_; // when a node was visited; above base_ in this run
  std::vector<std::uint32_t> low_;
  std::uint32_t time_ = 0;
  std::uint32_t base_ = 0;
  std::vector<Frame> frames_;
  std::vector<StackedLink> stack_;
  std::vector<LinkId> block_;
};

// The largest block of a part (most links, the lowest link number on a tie), and whether
// every block of it is a single link.
struct PartShape {
  std::size_t root_links = 0;
  LinkId root_lowest = no_link;
  bool tree = true;
};

} // namespace

LinkValues find_dead_ends(const Network& network) {
  LinkValues values(network.link_count() + 1, 0);
  for (LinkId link = 1; link <= network.link_count(); ++link)
    if (network.has_link(link) && network.link_ends[link].from == network.link_ends[link].to)
      values[link] = dead_end::loop;

  const LinkParts parts = find_link_parts(network);
  const std::uint32_t main_part = parts.largest();
  BlockSearch search(network);
  // Per node: every block hung at it (as top) so far is a single link with only such blocks
  // beyond. A node is the top of blocks of its own part only.
  std::vector<std::uint8_t> only_trees_beyond(network.node_count() + 1, 1);
  for (std::uint32_t part = 1; part <= parts.count(); ++part) {
    // The blocks do not depend on where the search starts, but which blocks hang beyond
    // which does: the first run finds the root block, the second starts in it.
    PartShape shape;
    search.run(network.link_ends[parts.lowest_link[part]].from, [&](const Block& block) {
      const LinkId lowest = *std::min_element(block.links.begin(), block.links.end());
      if (block.links.size() > shape.root_links ||
          (block.links.size() == shape.root_links && lowest < shape.root_lowest)) {
        shape.root_links = block.links.size();
        shape.root_lowest = lowest;
      }
      if (block.links.size() > 1)
        shape.tree = false;
    });
    if (shape.root_lowest == no_link)
      continue; // loops alone
    search.run(network.link_ends[shape.root_lowest].from, [&](const Block& block) {
      const bool single = block.links.size() == 1;
      const bool tree_beyond = single && only_trees_beyond[block.entered];
      if (!tree_beyond)
        only_trees_beyond[block.top] = 0;
      const bool root = std::find(block.links.begin(), block.links.end(), shape.root_lowest) !=
                        block.links.end();
      std::int32_t value;
      if (root && part == main_part)
        value = dead_end::main_net;
      else if (single)
        value = (root ? shape.tree : tree_beyond) ? dead_end::cul_de_sac : dead_end::bridge;
      else
        value = block.links.size() == block.nodes ? dead_end::loop : dead_end::minor_net;
      for (LinkId link : block.links)
        values[link] = value;
    });
  }
  return values;
}

} // namespace tamix
