#include "close_nodes.h"

#include "error.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tamix {

namespace {

struct Cell {
  std::int64_t column;
  std::int64_t row;
  friend auto operator<=>(const Cell&, const Cell&) = default;
};

// A coordinate's cell. Far-out cells are clamped: nodes then share a cell they do not belong
// to, which costs comparisons but never misses a pair, since the distance test is exact.
std::int64_t cell_of(double value, double low, double width) {
  constexpr double largest = double(std::int64_t{1} << 60);
  return std::int64_t(std::clamp(std::floor((value - low) / width), -largest, largest));
}

bool linked(const Graph& graph, NodeId a, NodeId b) {
  for (ArcId arc = graph.arcs_begin(a); arc < graph.arcs_end(a); ++arc)
    if (graph.head[arc] == b)
      return true;
  return false;
}

} // namespace

std::vector<CloseNode> find_close_nodes(const Network& network, double distance) {
  if (!(distance > 0) || !std::isfinite(distance))
    throw Error(code::out_of_bounds, "the distance of close nodes must be a positive number");
  const NodeId count = network.node_count();
  double low_x = std::numeric_limits<double>::infinity(), low_y = low_x;
  for (NodeId v = 1; v <= count; ++v) {
    low_x = std::min(low_x, network.node_points[v].x);
    low_y = std::min(low_y, network.node_points[v].y);
  }
  struct Entry {
    Cell cell;
    NodeId node;
  };
  std::vector<Entry> entries;
  entries.reserve(count);
  for (NodeId v = 1; v <= count; ++v) {
    const Point& p = network.node_points[v];
    entries.push_back({{cell_of(p.x, low_x, distance), cell_of(p.y, low_y, distance)}, v});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.cell != b.cell ? a.cell < b.cell : a.node < b.node;
  });

  std::vector<std::uint8_t> close(std::size_t(count) + 1, 0); // 1 close, 2 close and linked
  const double squared = distance * distance;
  for (const Entry& entry : entries) {
    const Point& p = network.node_points[entry.node];
    // The three cells of a neighbouring column are one run of the sorted entries.
    for (std::int64_t dc = -1; dc <= 1; ++dc) {
      const Cell first{entry.cell.column + dc, entry.cell.row - 1};
      const Cell last{entry.cell.column + dc, entry.cell.row + 1};
      auto at = std::lower_bound(entries.begin(), entries.end(), first,
                                 [](const Entry& e, const Cell& c) { return e.cell < c; });
      for (; at != entries.end() && at->cell <= last; ++at) {
        if (at->node == entry.node)
          continue;
        const Point& q = network.node_points[at->node];
        const double dx = p.x - q.x, dy = p.y - q.y;
        if (dx * dx + dy * dy >= squared)
          continue;
        std::uint8_t& mark = close[entry.node];
        if (mark < 2)
          mark = linked(network.graph, entry.node, at->node) ? 2 : 1;
      }
    }
  }
  std::vector<CloseNode> found;
  for (NodeId v = 1; v <= count; ++v)
    if (close[v] != 0)
      found.push_back({v, close[v] == 2});
  return found;
}

} // namespace tamix
