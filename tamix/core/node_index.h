#pragma once

#include "graph.h"
#include "network.h"

#include <cstdint>
#include <vector>

namespace tamix {

// Nearest node to a point, over a uniform grid of buckets built once for the network (about
// two nodes per bucket). A query visits rings of buckets outwards until no closer node can lie
// beyond them. Ties go to the lower node id.
class NodeIndex {
public:
  explicit NodeIndex(const Network& network);

  // no_node only for a network without nodes or a point that is not a finite number. Any
  // finite coordinates work, however far apart (no arithmetic of the index can overflow).
  NodeId nearest(double x, double y) const;

private:
  std::uint32_t bucket_of(double x, double y, std::int64_t& column, std::int64_t& row) const;

  const Network& network_;
  double min_x_ = 0;
  double min_y_ = 0;
  double cell_ = 1;
  std::int64_t columns_ = 1;
  std::int64_t rows_ = 1;
  std::vector<std::uint32_t> first_in_bucket_; // columns * rows + 1
  std::vector<NodeId> bucket_nodes_;
};

} // namespace tamix
