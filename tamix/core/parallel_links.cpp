#include "network_checks.h"

namespace tamix {

CheckResult find_parallel_links(const Network& network) {
  const Graph& graph = network.graph;
  const NodeId nodes = network.node_count();
  // Per far node, while the links of one near node are looked at: how many lead there and the
  // lowest of them. `seen_from` tells which near node the entries belong to.
  std::vector<NodeId> seen_from(nodes + 1, no_node);
  std::vector<std::uint32_t> links_to(nodes + 1, 0);
  std::vector<LinkId> lowest_to(nodes + 1, no_link);
  // First every link of a group names the group's lowest link; the groups are numbered after.
  LinkValues lowest(network.link_count() + 1, 0);
  for (NodeId near = 1; near <= nodes; ++near) {
    // Each pair of nodes is looked at from its lower node only, which also leaves out loops.
    for (ArcId arc = graph.arcs_begin(near); arc < graph.arcs_end(near); ++arc) {
      const NodeId far = graph.head[arc];
      if (far <= near)
        continue;
      const LinkId link = link_of(graph.arc_link[arc]);
      if (seen_from[far] != near) {
        seen_from[far] = near;
        links_to[far] = 0;
        lowest_to[far] = link;
      }
      ++links_to[far];
      if (link < lowest_to[far])
        lowest_to[far] = link;
    }
    for (ArcId arc = graph.arcs_begin(near); arc < graph.arcs_end(near); ++arc) {
      const NodeId far = graph.head[arc];
      if (far > near && links_to[far] > 1)
        lowest[link_of(graph.arc_link[arc])] = std::int32_t(lowest_to[far]);
    }
  }
  CheckResult groups;
  groups.of_link.assign(network.link_count() + 1, 0);
  // A group's lowest link comes before its other links, so its number is known by then.
  for (LinkId link = 1; link <= network.link_count(); ++link) {
    if (lowest[link] == 0)
      continue;
    if (LinkId(lowest[link]) == link)
      groups.of_link[link] = ++groups.count;
    else
      groups.of_link[link] = groups.of_link[lowest[link]];
  }
  return groups;
}

} // namespace tamix
