#include "geometry/ring_winding.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

#include "geometry/shape.h"

namespace host {

namespace {

// The rings' edges in rows of equal height, each edge in every row its height meets: a ray from
// a point crosses a ring an odd number of times exactly when the ring holds the point, so one
// row of edges tells.
class EdgeRows {
public:
  explicit EdgeRows(const std::vector<Path>& rings) {
    std::size_t edge_count = 0;
    for (const Path& ring : rings)
      for (const XY& p : ring) {
        low_ = std::min(low_, p.y);
        high_ = std::max(high_, p.y);
        ++edge_count;
      }
    row_count_ = std::max<std::size_t>(1, edge_count / 4);
    // Counted first, then filled: one array for all rows.
    row_starts_.assign(row_count_ + 1, 0);
    const auto each_edge = [&](auto&& visit) {
      for (std::size_t r = 0; r < rings.size(); ++r) {
        const Path& ring = rings[r];
        for (std::size_t k = 0; k < ring.size(); ++k) {
          const Edge edge{ring[k], ring[(k + 1) % ring.size()], r};
          const std::size_t last = row_of(std::max(edge.a.y, edge.b.y));
          for (std::size_t row = row_of(std::min(edge.a.y, edge.b.y)); row <= last; ++row)
            visit(row, edge);
        }
      }
    };
    each_edge([&](std::size_t row, const Edge&) { ++row_starts_[row + 1]; });
    for (std::size_t row = 0; row < row_count_; ++row)
      row_starts_[row + 1] += row_starts_[row];
    edges_.resize(row_starts_.back());
    std::vector<std::size_t> filled(row_starts_.begin(), row_starts_.end() - 1);
    each_edge([&](std::size_t row, const Edge& edge) { edges_[filled[row]++] = edge; });
  }

  // The rings other than `own` that hold `p` (an odd number of crossings of a ray toward +x,
  // each edge taken half-open in y), into `holding`; false when `p` lies on one of their edges.
  bool rings_holding(XY p, std::size_t own, std::vector<std::size_t>& holding) const {
    holding.clear();
    if (!(p.y >= low_ && p.y <= high_))
      return true;
    const std::size_t row = row_of(p.y);
    for (std::size_t e = row_starts_[row]; e < row_starts_[row + 1]; ++e) {
      const Edge& edge = edges_[e];
      if (edge.ring == own)
        continue;
      const XY& a = edge.a;
      const XY& b = edge.b;
      const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
      if (cross == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
          p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y))
        return false;
      if ((a.y > p.y) != (b.y > p.y) && a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y) > p.x) {
        // Crossed twice, a ring does not hold the point.
        const auto found = std::find(holding.begin(), holding.end(), edge.ring);
        if (found == holding.end())
          holding.push_back(edge.ring);
        else
          holding.erase(found);
      }
    }
    return true;
  }

private:
  struct Edge {
    XY a, b;
    std::size_t ring;
  };

  std::size_t row_of(double y) const {
    if (!(high_ > low_))
      return 0;
    const double share = std::max(0.0, (y - low_) / (high_ - low_));
    return std::min(row_count_ - 1, static_cast<std::size_t>(share * double(row_count_)));
  }

  double low_ = 1e308, high_ = -1e308;
  std::size_t row_count_ = 1;
  std::vector<std::size_t> row_starts_; // row k's edges: [row_starts_[k], row_starts_[k + 1])
  std::vector<Edge> edges_;
};

} // namespace

RingNesting ring_nesting(const std::vector<Path>& rings) {
  const EdgeRows edges(rings);
  RingNesting nesting{std::vector<std::optional<std::size_t>>(rings.size()),
                      std::vector<bool>(rings.size(), false)};
  std::vector<double> areas;
  for (const Path& ring : rings)
    areas.push_back(std::abs(signed_area(ring)));
  std::vector<std::size_t> holding;
  for (std::size_t r = 0; r < rings.size(); ++r) {
    const Path& ring = rings[r];
    for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
      const XY middle{(ring[k].x + ring[k + 1].x) / 2, (ring[k].y + ring[k + 1].y) / 2};
      if (!edges.rings_holding(middle, r, holding))
        continue;
      // Rings never cross, so those around a ring nest: the smallest is the innermost.
      if (!holding.empty())
        nesting.around[r] =
            *std::min_element(holding.begin(), holding.end(),
                              [&](std::size_t a, std::size_t b) { return areas[a] < areas[b]; });
      nesting.hole[r] = holding.size() % 2 == 1;
      break;
    }
  }
  return nesting;
}

void wind_shapefile_rings(std::vector<Path>& rings) {
  const RingNesting nesting = ring_nesting(rings);
  for (std::size_t r = 0; r < rings.size(); ++r) {
    const double area = signed_area(rings[r]);
    if (nesting.hole[r] ? area < 0 : area > 0)
      std::reverse(rings[r].begin(), rings[r].end());
  }
}

} // namespace host
