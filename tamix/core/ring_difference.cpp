#include "ring_difference.h"

#include <bit>
#include <cstdint>
#include <unordered_map>

namespace tamix {
namespace {

struct Edge {
  Point from, to;
  bool inner; // from the inner zone, turned round
  bool gone = false;
  std::uint32_t next_of_own = 0; // the next edge of its own ring
};

struct PointHash {
  std::size_t operator()(const Point& p) const {
    const auto x = std::bit_cast<std::uint64_t>(p.x), y = std::bit_cast<std::uint64_t>(p.y);
    return std::size_t(x * 0x9E3779B97F4A7C15ull ^ (y + 0x7F4A7C159E3779B9ull + (x << 6)));
  }
};
struct EdgeHash {
  std::size_t operator()(const std::pair<Point, Point>& e) const {
    return PointHash{}(e.first) * 31 ^ PointHash {}(e.second);
  }
};

void add_ring_edges(const std::vector<Point>& ring, bool inner, std::vector<Edge>& edges) {
  const std::size_t first = edges.size(), count = ring.size() - 1;
  for (std::size_t k = 0; k < count; ++k) {
    const Point a = ring[k], b = ring[k + 1];
    edges.push_back(inner ? Edge{b, a, true} : Edge{a, b, false});
    // Turned round, the inner ring's edges run from the last to the first.
    const std::size_t next = inner ? (k == 0 ? count - 1 : k - 1) : (k + 1 == count ? 0 : k + 1);
    edges.back().next_of_own = std::uint32_t(first + next);
  }
}

// The closed `ring` as rings that pass each point once: where it comes back to a point, the
// loop since then is a ring of its own (a lobe beside it or a hole touching it there).
void add_simple_rings(const std::vector<Point>& ring, geos::Rings& rings) {
  std::vector<Point> open;
  std::unordered_map<Point, std::size_t, PointHash> place; // of each point in `open`
  for (std::size_t k = 0; k + 1 < ring.size(); ++k) {
    const auto [found, added] = place.emplace(ring[k], open.size());
    if (added) {
      open.push_back(ring[k]);
      continue;
    }
    std::vector<Point> loop(open.begin() + std::ptrdiff_t(found->second), open.end());
    for (std::size_t j = found->second + 1; j < open.size(); ++j)
      place.erase(open[j]);
    open.resize(found->second + 1);
    loop.push_back(loop.front());
    if (loop.size() >= 4)
      rings.push_back(std::move(loop));
  }
  if (open.size() >= 3) {
    open.push_back(open.front());
    rings.push_back(std::move(open));
  }
}

} // namespace

geos::Rings ring_difference(const geos::Rings& outer, const geos::Rings& inner) {
  std::vector<Edge> edges;
  for (const auto& ring : outer)
    add_ring_edges(ring, false, edges);
  for (const auto& ring : inner)
    add_ring_edges(ring, true, edges);

  // An edge of one zone that the other runs the other way bounds nothing.
  std::unordered_map<std::pair<Point, Point>, std::uint32_t, EdgeHash> outer_edges;
  for (std::uint32_t e = 0; e < edges.size(); ++e)
    if (!edges[e].inner)
      outer_edges.emplace(std::pair{edges[e].from, edges[e].to}, e);
  for (Edge& edge : edges) {
    if (!edge.inner)
      continue;
    const auto twin = outer_edges.find({edge.to, edge.from});
    if (twin != outer_edges.end() && !edges[twin->second].gone)
      edge.gone = edges[twin->second].gone = true;
  }
  std::unordered_map<Point, std::uint32_t, PointHash> leaving_outer, leaving_inner;
  for (std::uint32_t e = 0; e < edges.size(); ++e)
    if (!edges[e].gone)
      (edges[e].inner ? leaving_inner : leaving_outer).emplace(edges[e].from, e);

  // Where the two outlines meet, the ring goes on along the other one: its outline there
  // closes a wedge between an edge of each (they never cross), and where a shared edge is gone
  // that is the only way on. Elsewhere it goes on along its own ring. (A point lies on one ring
  // of each zone at most, and as many edges come into it as leave it.)
  const auto next_of = [&](std::uint32_t e) -> std::uint32_t {
    const auto& others = edges[e].inner ? leaving_outer : leaving_inner;
    const auto other = others.find(edges[e].to);
    if (other != others.end())
      return other->second;
    const std::uint32_t own = edges[e].next_of_own;
    return edges[own].gone ? e : own; // gone: the ring cannot close and is left out
  };

  geos::Rings rings;
  std::vector<bool> used(edges.size(), false);
  std::vector<Point> ring;
  for (std::uint32_t start = 0; start < edges.size(); ++start) {
    if (edges[start].gone || used[start])
      continue;
    ring.assign(1, edges[start].from);
    std::uint32_t e = start;
    while (!used[e]) {
      used[e] = true;
      ring.push_back(edges[e].to);
      e = next_of(e);
    }
    if (ring.back() == ring.front())
      add_simple_rings(ring, rings);
  }
  return rings;
}

} // namespace tamix
