#pragma once

// Turn angles and roundabouts, for the route directions.

#include "graph.h"
#include "network.h"

#include <vector>

namespace tamix {

// The turn from the line p1 -> node into the line node -> p2, in degrees in [0, 360), counted
// counter-clockwise in map coordinates (y north):
//   straight on ~ 0, left ~ 90, back ~ 180, right ~ 270.
// angle = atan2(cross(d1, d2), dot(d1, d2)) with d1 = node - p1, d2 = p2 - node, brought into
// [0, 360). A zero-length d1 or d2 gives 0.
double turn_angle(Point p1, Point node, Point p2);

// Roundabouts are read from the geometry, since the network carries no attribute for them.
// A link is a roundabout link when it lies on a ring that
//   - is the shortest cycle through the link (or the link itself when it is a loop) among the
//     links that could lie on one: no dead ends, and shapes that turn steadily as below,
//   - has at most 12 links and a perimeter of at most 500 m,
//   - turns steadily one way: at every vertex of the ring (shape vertices and nodes) the turn
//     is below 60 degrees and to the same side, so a city block with square corners is no
//     roundabout,
//   - and is round: 4 pi area / perimeter^2 >= 0.6.
// A roundabout node is a node of such a ring where a link that is not on a ring joins, i.e. a
// node where one can enter or leave.
class Roundabouts {
public:
  explicit Roundabouts(const Network& network);

  bool is_link(LinkId link) const { return link < on_ring_.size() && on_ring_[link]; }
  bool is_node(NodeId node) const { return node < exit_node_.size() && exit_node_[node]; }

private:
  std::vector<bool> on_ring_;
  std::vector<bool> exit_node_;
};

} // namespace tamix
