#include "node_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamix {

namespace {

constexpr std::int64_t max_cells = std::int64_t(1) << 16; // per side

// The whole part of `value` within 0 .. `last`: NaN and negatives give 0, and values beyond
// `last` (infinity included) give `last` without ever being converted as they are.
std::int64_t clamped_index(double value, std::int64_t last) {
  if (!(value > 0))
    return 0;
  return value < double(last) ? std::int64_t(value) : last;
}

// A squared distance that cannot overflow. Where the square fits a double it is exact;
// distances beyond about 1e154 are compared as the squares of the distances scaled by 2^-520,
// which always fit, and rank above every distance whose square fits.
struct SquaredDistance {
  bool scaled = true;
  double value = std::numeric_limits<double>::infinity();

  friend bool operator<(const SquaredDistance& a, const SquaredDistance& b) {
    return a.scaled != b.scaled ? b.scaled : a.value < b.value;
  }
  friend bool operator==(const SquaredDistance&, const SquaredDistance&) = default;
};

constexpr double scale_down = 0x1p-520;

SquaredDistance squared_distance(const Point& p, double x, double y) {
  const double dx = p.x - x;
  const double dy = p.y - y;
  const double square = dx * dx + dy * dy;
  if (std::isfinite(square))
    return {false, square};
  const double sx = p.x * scale_down - x * scale_down;
  const double sy = p.y * scale_down - y * scale_down;
  return {true, sx * sx + sy * sy};
}

// The squared length of `cells` cells of side `cell`.
SquaredDistance squared_length(double cells, double cell) {
  const double length = cells * cell;
  if (std::isfinite(length * length))
    return {false, length * length};
  const double scaled = cells * (cell * scale_down);
  return {true, scaled * scaled};
}

} // namespace

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
  // Coordinates are finite (the load refuses others), but their differences and products need
  // not be: nodes at -1e308 and 1e308 have an extent beyond any double. Every quantity below is
  // kept finite, and every conversion to a whole number is clamped before it is made.
  const double width = std::min(max_x - min_x_, std::numeric_limits<double>::max());
  const double height = std::min(max_y - min_y_, std::numeric_limits<double>::max());
  // About two nodes per bucket; a flat extent (all nodes on one line) still gets square cells.
  const double buckets = std::max(1.0, nodes / 2.0);
  cell_ = width > 0 && height > 0 ? std::sqrt(width / buckets) * std::sqrt(height)
                                  : std::max(width, height) / buckets;
  if (!(cell_ > 0))
    cell_ = 1;
  columns_ = clamped_index(width / cell_, max_cells - 1) + 1;
  rows_ = clamped_index(height / cell_, max_cells - 1) + 1;
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
  column = clamped_index((x - min_x_) / cell_, columns_ - 1);
  row = clamped_index((y - min_y_) / cell_, rows_ - 1);
  return std::uint32_t(row * columns_ + column);
}

NodeId NodeIndex::nearest(double x, double y) const {
  if (bucket_nodes_.empty() || !std::isfinite(x) || !std::isfinite(y))
    return no_node;
  std::int64_t column, row;
  bucket_of(x, y, column, row);
  NodeId best = no_node;
  SquaredDistance best_distance;
  auto visit = [&](std::int64_t c, std::int64_t r) {
    const std::size_t b = std::size_t(r * columns_ + c);
    for (std::uint32_t i = first_in_bucket_[b]; i < first_in_bucket_[b + 1]; ++i) {
      const NodeId v = bucket_nodes_[i];
      const SquaredDistance d = squared_distance(network_.node_points[v], x, y);
      if (d < best_distance || (d == best_distance && v < best)) {
        best_distance = d;
        best = v;
      }
    }
  };
  // The point lies in the grid's bucket (column, row) or, outside the grid, beyond it; rings of
  // buckets around it are visited as far as they overlap the grid.
  const std::int64_t last_ring = std::max({column, columns_ - 1 - column, row, rows_ - 1 - row});
  for (std::int64_t k = 0; k <= last_ring; ++k) {
    // Every bucket of ring k lies at least (k - 1) cells from the point, wherever it is.
    if (best != no_node && k >= 1 && best_distance < squared_length(double(k - 1), cell_))
      break;
    const std::int64_t first_column = std::max<std::int64_t>(column - k, 0);
    const std::int64_t last_column = std::min(column + k, columns_ - 1);
    for (const std::int64_t r : {row - k, row + k}) {
      if (r >= 0 && r < rows_)
        for (std::int64_t c = first_column; c <= last_column; ++c)
          visit(c, r);
      if (k == 0)
        break;
    }
    const std::int64_t first_row = std::max<std::int64_t>(row - k + 1, 0);
    const std::int64_t last_row = std::min(row + k - 1, rows_ - 1);
    for (const std::int64_t c : {column - k, column + k})
      if (k > 0 && c >= 0 && c < columns_)
        for (std::int64_t r = first_row; r <= last_row; ++r)
          visit(c, r);
  }
  return best;
}

} // namespace tamix
