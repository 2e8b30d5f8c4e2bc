#pragma once

// The loaded road network as plain arrays.
//
// Ids are the numbers the add-in sees: nodes 1..node_count(), links 1..link_count(), where link
// r + 1 is record r of the network shapefile. Slot 0 of every per-node and per-link array is a
// placeholder, so 0 means "no node" / "no link" everywhere and no id is ever shifted.
//
// Units: link lengths are metres (whatever the map unit was; degrees were measured on the
// ellipsoid); node and shape coordinates are in the network layer's own coordinates. Costs are
// in the caller's mix of distance unit and minutes (see costs.h).
//
// Legal and expected in real data, so every algorithm must cope with them:
// - loops (a link whose two ends are the same node),
// - parallel links (several links between the same two nodes),
// - zero-length links (zero costs),
// - records without a link (null or empty shape: the link number exists, the link has no ends),
// - isolated nodes (node 0 always; no other node is isolated after a build, since a node
//   exists only as the end of some link).
// Links are two-way: every link with ends gives one arc in each direction (a loop gives two
// arcs at its node).

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace tamix {

using NodeId = std::uint32_t;
using LinkId = std::uint32_t;
using ArcId = std::uint32_t;
// A link with its direction of travel: +link runs from the shape's first vertex to its last,
// -link the other way.
using SignedLink = std::int32_t;
using Cost = double;

inline constexpr NodeId no_node = 0;
inline constexpr LinkId no_link = 0;
// A cost that no real route reaches; closed and impassable arcs carry it.
inline constexpr Cost inf_cost = 1e300;
static_assert(inf_cost + inf_cost < std::numeric_limits<Cost>::max(),
              "adding two costs must not overflow");

// A node may join at most this many link ends; more is refused at build time.
inline constexpr std::uint32_t max_links_at_node = 1900;

struct Point {
  double x = 0;
  double y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct LinkEnds {
  NodeId from = no_node; // at the shape's first vertex
  NodeId to = no_node;   // at the shape's last vertex
};

// Adjacency in compressed sparse rows: the arcs leaving node v are first_out[v] ..
// first_out[v + 1] - 1; arc a leads to head[a] along arc_link[a].
struct Graph {
  std::vector<ArcId> first_out; // node_count + 2 entries (slot 0 included)
  std::vector<NodeId> head;
  std::vector<SignedLink> arc_link;

  NodeId node_count() const { return first_out.empty() ? 0 : NodeId(first_out.size() - 2); }
  ArcId arc_count() const { return ArcId(head.size()); }
  ArcId arcs_begin(NodeId v) const { return first_out[v]; }
  ArcId arcs_end(NodeId v) const { return first_out[v + 1]; }
};

// The shape of every link: the points of link l are points[first_point[l] .. first_point[l+1]).
// A record without a link has no points.
struct LinkGeometry {
  std::vector<std::uint64_t> first_point; // link_count + 2 entries
  std::vector<Point> points;

  std::span<const Point> of(LinkId link) const {
    return {points.data() + first_point[link], points.data() + first_point[link + 1]};
  }
};

inline LinkId link_of(SignedLink link) {
  return LinkId(link < 0 ? -link : link);
}

} // namespace tamix
