#include "network_checks.h"

#include "link_lines.h"

#include <algorithm>

namespace tamix {

namespace {

// A chain of links as walked: links[k] and links[k + 1] meet at a node; `first` and `last`
// are its end nodes.
struct Chain {
  std::vector<LinkId> links;
  NodeId first = no_node;
  NodeId last = no_node;
};

class ChainFinder {
public:
  ChainFinder(const Network& network, const std::vector<std::string>& join_texts)
      : network_(network), texts_(join_texts), visited_(network.link_count() + 1, 0) {}

  // A pseudo-node joins exactly two ends of two different links that may become one: the
  // same road class and, with a join column, the same text.
  bool is_pseudo_node(NodeId node) const {
    const Graph& graph = network_.graph;
    if (graph.arcs_end(node) - graph.arcs_begin(node) != 2)
      return false;
    const LinkId a = link_of(graph.arc_link[graph.arcs_begin(node)]);
    const LinkId b = link_of(graph.arc_link[graph.arcs_begin(node) + 1]);
    return a != b && network_.link_class[a] == network_.link_class[b] &&
           (texts_.empty() || texts_[a] == texts_[b]);
  }

  bool visited(LinkId link) const { return visited_[link] != 0; }

  // Walks from `start` away from node `from` through pseudo-nodes until a junction, a dead
  // end or a link already taken.
  Chain walk(LinkId start, NodeId from) {
    Chain chain{{}, from, from};
    LinkId link = start;
    NodeId at = from;
    while (true) {
      visited_[link] = 1;
      chain.links.push_back(link);
      const LinkEnds& ends = network_.link_ends[link];
      at = ends.from == at ? ends.to : ends.from;
      if (!is_pseudo_node(at))
        break;
      const LinkId next = other_link(at, link);
      if (visited(next))
        break;
      link = next;
    }
    chain.last = at;
    return chain;
  }

private:
  LinkId other_link(NodeId node, LinkId link) const {
    const Graph& graph = network_.graph;
    const LinkId a = link_of(graph.arc_link[graph.arcs_begin(node)]);
    return a == link ? link_of(graph.arc_link[graph.arcs_begin(node) + 1]) : a;
  }

  const Network& network_;
  const std::vector<std::string>& texts_;
  std::vector<std::uint8_t> visited_;
};

// Cuts a chain into runs whose length stays within the limit (none when 0 or less); a link
// longer than the limit is a run of its own. A ring is cut before its last link, so that no
// joined line starts and ends at one node.
std::vector<std::vector<LinkId>> runs_of(const Network& network, Chain chain, double limit_metres) {
  if (chain.first == chain.last && chain.links.size() > 1)
    chain.links.pop_back();
  std::vector<std::vector<LinkId>> runs(1);
  double length = 0;
  for (const LinkId link : chain.links) {
    const double metres = network.link_metres[link];
    if (limit_metres > 0 && !runs.back().empty() && length + metres > limit_metres) {
      runs.emplace_back();
      length = 0;
    }
    runs.back().push_back(link);
    length += metres;
  }
  return runs;
}

} // namespace

CheckResult find_joinable_links(const Network& network, double limit_metres,
                                const std::vector<std::string>& join_texts) {
  ChainFinder finder(network, join_texts);
  std::vector<Chain> chains;
  const LinkId links = network.link_count();
  // Chains that end somewhere first: each is walked from one of its ends.
  for (LinkId link = 1; link <= links; ++link) {
    const LinkEnds& ends = network.link_ends[link];
    if (ends.from == no_node || ends.from == ends.to || finder.visited(link))
      continue;
    if (!finder.is_pseudo_node(ends.from))
      chains.push_back(finder.walk(link, ends.from));
    else if (!finder.is_pseudo_node(ends.to))
      chains.push_back(finder.walk(link, ends.to));
  }
  // What is left runs through pseudo-nodes only: rings, walked from their lowest link.
  for (LinkId link = 1; link <= links; ++link) {
    const LinkEnds& ends = network.link_ends[link];
    if (ends.from != no_node && ends.from != ends.to && !finder.visited(link))
      chains.push_back(finder.walk(link, ends.from));
  }

  std::vector<std::vector<LinkId>> joinable;
  for (Chain& chain : chains)
    for (auto& run : runs_of(network, std::move(chain), limit_metres))
      if (run.size() > 1)
        joinable.push_back(std::move(run));
  std::sort(joinable.begin(), joinable.end(), [](const auto& a, const auto& b) {
    return *std::min_element(a.begin(), a.end()) < *std::min_element(b.begin(), b.end());
  });
  CheckResult result;
  result.of_link.assign(std::size_t(links) + 1, 0);
  for (const auto& run : joinable) {
    ++result.count;
    for (const LinkId link : run)
      result.of_link[link] = result.count;
  }
  return result;
}

std::vector<std::string> read_join_texts(const std::filesystem::path& file, LinkId link_count) {
  std::vector<std::string> texts(1); // slot 0: no link
  texts.reserve(std::size_t(link_count) + 1);
  read_link_lines(file, link_count,
                  [&](LinkId, std::string_view line) { texts.emplace_back(line); });
  return texts;
}

} // namespace tamix
