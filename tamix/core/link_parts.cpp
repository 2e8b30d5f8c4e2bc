#include "link_parts.h"

namespace tamix {

std::uint32_t LinkParts::largest() const {
  std::uint32_t best = 0;
  for (std::uint32_t part = 1; part <= count(); ++part)
    if (best == 0 || links[part] > links[best])
      best = part;
  return best;
}

LinkParts find_link_parts(const Network& network) {
  const Graph& graph = network.graph;
  LinkParts parts;
  parts.of_link.assign(network.link_count() + 1, 0);
  parts.links.assign(1, 0);
  parts.lowest_link.assign(1, no_link);
  std::vector<std::uint32_t> part_of_node(network.node_count() + 1, 0);
  std::vector<NodeId> queue;
  queue.reserve(network.node_count());
  // A part is met first at its lowest link, so numbering parts as they are met orders them by
  // their lowest link numbers.
  for (LinkId link = 1; link <= network.link_count(); ++link) {
    if (!network.has_link(link))
      continue;
    const NodeId start = network.link_ends[link].from;
    if (part_of_node[start] == 0) {
      const std::uint32_t part = std::uint32_t(parts.links.size());
      parts.links.push_back(0);
      parts.lowest_link.push_back(link);
      part_of_node[start] = part;
      queue.assign(1, start);
      for (std::size_t next = 0; next < queue.size(); ++next) {
        const NodeId node = queue[next];
        for (ArcId arc = graph.arcs_begin(node); arc < graph.arcs_end(node); ++arc) {
          const NodeId head = graph.head[arc];
          if (part_of_node[head] == 0) {
            part_of_node[head] = part;
            queue.push_back(head);
          }
        }
      }
    }
    const std::uint32_t part = part_of_node[start];
    parts.of_link[link] = part;
    ++parts.links[part];
  }
  return parts;
}

} // namespace tamix
