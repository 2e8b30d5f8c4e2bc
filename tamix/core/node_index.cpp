#include "node_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamix {

NodeIndex::NodeIndex(const Network& network) : network_(network) {
  const NodeId nodes = network.node_count();
  if (nodes == 0) {
    first_in_bucket_.assign(2, 0);
    return;
  }
  double max_x = -std::numeric_limits<double>::infinity();
  double max_y = max_x;
  min_x_ = min_y_ = std::numeric_limits<double>::infinity();
  for (NodeId v = 1; v <= nodes; ++v) {
    const Point& p = network.node_points[v];
    min_x_ = std::min(min_x_, p.x);
    min_y_ = std::min(min_y_, p.y);
    max_x = std::max(max_x, p.x);
    max_y = std::max(max_y, p.y);
  }
  const double width = max_x - min_x_;
  const double height = max_y - min_y_;
  // About two nodes per bucket; a flat extent (all nodes on one line) still gets square cells.
  const double buckets = std::max(1.0, nodes / 2.0);
  cell_ = width > 0 && height > 0 ? std::sqrt(width * height / buckets)
                                  : std::max(width, height) / buckets;
  if (!(cell_ > 0))
    cell_ = 1;
  columns_ = std::min<std::int64_t>(std::int64_t(width / cell_) + 1, 1 << 16);
  rows_ = std::min<std::int64_t>(std::int64_t(height / cell_) + 1, 1 << 16);
  cell_ = std::max({cell_, width / double(columns_), height / double(rows_)});

  // Counting sort of the nodes by bucket; nodes in a bucket keep ascending ids.
  std::vector<std::uint32_t> bucket(nodes + 1);
  first_in_bucket_.assign(std::size_t(columns_ * rows_) + 1, 0);
  for (NodeId v = 1; v <= nodes; ++v) {
    std::int64_t column, row;
    bucket[v] = bucket_of(network.node_points[v].x, network.node_points[v].y, column, row);
    ++first_in_bucket_[bucket[v] + 1];
  }
  for (std::size_t b = 1; b < first_in_bucket_.size(); ++b)
    first_in_bucket_[b] += first_in_bucket_[b - 1];
  bucket_nodes_.resize(nodes);
  std::vector<std::uint32_t> next(first_in_bucket_.begin(), first_in_bucket_.end() - 1);
  for (NodeId v = 1; v <= nodes; ++v)
    bucket_nodes_[next[bucket[v]]++] = v;
}

std::uint32_t NodeIndex::bucket_of(double x, double y, std::int64_t& column,
                                   std::int64_t& row) const {
  auto clamp_index = [](double value, std::int64_t count) {
    if (!(value > 0))
      return std::int64_t(0);
    return std::min(std::int64_t(value), count - 1);
  };
  column = clamp_index((x - min_x_) / cell_, columns_);
  row = clamp_index((y - min_y_) / cell_, rows_);
  return std::uint32_t(row * columns_ + column);
}

NodeId NodeIndex::nearest(double x, double y) const {
  if (bucket_nodes_.empty())
    return no_node;
  std::int64_t column, row;
  bucket_of(x, y, column, row);
  NodeId best = no_node;
  double best_d2 = std::numeric_limits<double>::infinity();
  auto visit = [&](std::int64_t c, std::int64_t r) {
    if (c < 0 || r < 0 || c >= columns_ || r >= rows_)
      return;
    const std::size_t b = std::size_t(r * columns_ + c);
    for (std::uint32_t i = first_in_bucket_[b]; i < first_in_bucket_[b + 1]; ++i) {
      const NodeId v = bucket_nodes_[i];
      const Point& p = network_.node_points[v];
      const double d2 = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
      if (d2 < best_d2 || (d2 == best_d2 && v < best)) {
        best_d2 = d2;
        best = v;
      }
    }
  };
  const std::int64_t last_ring = std::max(columns_, rows_);
  for (std::int64_t k = 0; k <= last_ring; ++k) {
    // Every bucket of ring k lies at least (k - 1) cells from the point, wherever it is.
    if (best != no_node && k >= 1) {
      const double bound = double(k - 1) * cell_;
      if (bound * bound > best_d2)
        break;
    }
    if (k == 0) {
      visit(column, row);
      continue;
    }
    for (std::int64_t c = column - k; c <= column + k; ++c) {
      visit(c, row - k);
      visit(c, row + k);
    }
    for (std::int64_t r = row - k + 1; r <= row + k - 1; ++r) {
      visit(column - k, r);
      visit(column + k, r);
    }
  }
  return best;
}

} // namespace tamix
