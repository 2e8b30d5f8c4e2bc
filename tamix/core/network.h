#pragma once

#include "graph.h"

#include <cstdint>
#include <vector>

namespace tamix {

// Road classes run 0..31; a network without "attribute.bin" puts every link in class 1.
inline constexpr int road_class_count = 32;
inline constexpr std::uint8_t default_road_class = 1;

std::uint64_t next_network_identity();

// Everything a loaded network knows. Immutable after load, so any number of searches may read
// it at once from different threads.
struct Network {
  Graph graph;
  std::vector<LinkEnds> link_ends;      // link_count + 1 entries
  std::vector<double> link_metres;      // link_count + 1 entries
  std::vector<std::uint8_t> link_class; // link_count + 1 entries
  std::vector<Point> node_points;       // node_count + 1 entries
  LinkGeometry geometry;
  int map_units = 7; // the map-unit code the lengths were measured with (map_units.h)
  // Different for every network built or loaded in this process, so that costs computed for
  // one are never taken for another's.
  std::uint64_t identity = next_network_identity();

  NodeId node_count() const { return graph.node_count(); }
  LinkId link_count() const { return link_ends.empty() ? 0 : LinkId(link_ends.size() - 1); }
  bool has_link(LinkId link) const {
    return link >= 1 && link <= link_count() && link_ends[link].from != no_node;
  }
  bool has_node(NodeId node) const { return node >= 1 && node <= node_count(); }
  // The node at which travel along `link` (signed) starts and ends.
  NodeId tail(SignedLink link) const {
    const LinkEnds& ends = link_ends[link_of(link)];
    return link > 0 ? ends.from : ends.to;
  }
  NodeId head(SignedLink link) const {
    const LinkEnds& ends = link_ends[link_of(link)];
    return link > 0 ? ends.to : ends.from;
  }
};

// Raise out_of_bounds for a node or link that `network` does not have.
void check_node(const Network& network, NodeId node);
void check_link(const Network& network, LinkId link);

// Builds the adjacency of `link_ends` (node_count nodes). Raises too_many_links_at_node when a
// node joins more than max_links_at_node link ends.
Graph build_graph(const std::vector<LinkEnds>& link_ends, NodeId node_count);

} // namespace tamix
