#include "geometry_tests.h"

#include "map_units.h"

#include <cmath>
#include <numbers>
#include <queue>
#include <utility>

namespace tamix {

namespace {

constexpr std::size_t max_ring_links = 12;
constexpr double max_ring_metres = 500;
constexpr double max_ring_turn = 60;
constexpr double min_roundness = 0.6;

// Turn from d1 into d2 in degrees, in (-180, 180]; left positive.
double signed_turn(double x1, double y1, double x2, double y2) {
  if ((x1 == 0 && y1 == 0) || (x2 == 0 && y2 == 0))
    return 0;
  return std::atan2(x1 * y2 - y1 * x2, x1 * x2 + y1 * y2) * 180 / std::numbers::pi;
}

// The links of the cheapest (by length) ring through `link`, the link itself first, each in
// its direction of travel; empty when no ring within the limits exists.
class RingFinder {
public:
  // Rings are made of `candidate` links only.
  RingFinder(const Network& network, const std::vector<bool>& candidate)
      : network_(network), candidate_(candidate), metres_(network.node_count() + 1),
        hops_(network.node_count() + 1), parent_(network.node_count() + 1),
        stamp_(network.node_count() + 1, 0) {}

  std::vector<SignedLink> ring_through(LinkId link) {
    const LinkEnds ends = network_.link_ends[link];
    const double budget = max_ring_metres - network_.link_metres[link];
    if (budget < 0)
      return {};
    if (ends.from == ends.to)
      return {SignedLink(link)};
    // Bounded Dijkstra by length from the link's far end back to its start, never using it.
    ++round_;
    using Entry = std::pair<double, NodeId>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    reach(ends.to, 0, 0, no_link);
    queue.push({0, ends.to});
    const Graph& graph = network_.graph;
    while (!queue.empty()) {
      auto [d, v] = queue.top();
      queue.pop();
      if (d > metres_[v])
        continue;
      if (v == ends.from)
        break;
      if (hops_[v] + 1 >= max_ring_links)
        continue;
      for (ArcId a = graph.arcs_begin(v); a < graph.arcs_end(v); ++a) {
        const SignedLink via = graph.arc_link[a];
        if (link_of(via) == link || !candidate_[link_of(via)])
          continue;
        const double next = d + network_.link_metres[link_of(via)];
        const NodeId w = graph.head[a];
        if (next <= budget && (stamp_[w] != round_ || next < metres_[w])) {
          reach(w, next, hops_[v] + 1, via);
          queue.push({next, w});
        }
      }
    }
    if (stamp_[ends.from] != round_)
      return {};
    std::vector<SignedLink> back;
    for (NodeId v = ends.from; v != ends.to; v = network_.tail(parent_[v]))
      back.push_back(parent_[v]);
    std::vector<SignedLink> ring{SignedLink(link)};
    ring.insert(ring.end(), back.rbegin(), back.rend());
    return ring;
  }

private:
  void reach(NodeId v, double metres, std::uint32_t hops, SignedLink parent) {
    stamp_[v] = round_;
    metres_[v] = metres;
    hops_[v] = hops;
    parent_[v] = parent;
  }

  const Network& network_;
  const std::vector<bool>& candidate_;
  std::vector<double> metres_;
  std::vector<std::uint32_t> hops_;
  std::vector<SignedLink> parent_;
  std::vector<std::uint32_t> stamp_;
  std::uint32_t round_ = 0;
};

// Degrees: longitudes shrink by the cosine of the latitude, so that shapes are not stretched
// east-west.
double x_scale_at(const Network& network, const Point& p) {
  return network.map_units == map_units_degree ? std::cos(p.y * std::numbers::pi / 180) : 1.0;
}

// The turn at b on the way a -> b -> c (x scaled) into `turn`; false when it is too sharp for a
// ring or to the other side than the turns before (`side`, set by the first real turn).
bool steady_turn(const Point& a, const Point& b, const Point& c, double x_scale, int& side,
                 double& turn) {
  turn = signed_turn((b.x - a.x) * x_scale, b.y - a.y, (c.x - b.x) * x_scale, c.y - b.y);
  if (std::abs(turn) >= max_ring_turn)
    return false;
  const int turn_side = turn > 0 ? 1 : turn < 0 ? -1 : 0;
  if (turn_side != 0) {
    if (side != 0 && turn_side != side)
      return false;
    side = turn_side;
  }
  return true;
}

// What every link of a ring must be, checked before any ring is looked for: no dead end, and a
// shape that itself turns steadily one way.
bool may_lie_on_ring(const Network& network, LinkId link) {
  const Graph& graph = network.graph;
  const LinkEnds& ends = network.link_ends[link];
  auto dead_end = [&](NodeId v) { return graph.arcs_end(v) - graph.arcs_begin(v) < 2; };
  if (ends.from != ends.to && (dead_end(ends.from) || dead_end(ends.to)))
    return false;
  std::span<const Point> points = network.geometry.of(link);
  const double x_scale = x_scale_at(network, points.front());
  int side = 0;
  double turn = 0;
  for (std::size_t i = 1; i + 1 < points.size(); ++i)
    if (!steady_turn(points[i - 1], points[i], points[i + 1], x_scale, side, turn))
      return false;
  return true;
}

bool is_round(const Network& network, const std::vector<SignedLink>& ring) {
  // The ring's outline, in travel order, without repeated points.
  std::vector<Point> outline;
  for (SignedLink link : ring) {
    std::span<const Point> points = network.geometry.of(link_of(link));
    auto add = [&](const Point& p) {
      if (outline.empty() || !(outline.back() == p))
        outline.push_back(p);
    };
    if (link > 0)
      for (const Point& p : points)
        add(p);
    else
      for (auto p = points.rbegin(); p != points.rend(); ++p)
        add(*p);
  }
  if (outline.size() > 1 && outline.front() == outline.back())
    outline.pop_back();
  const std::size_t n = outline.size();
  if (n < 3)
    return false;
  const double x_scale = x_scale_at(network, outline[0]);
  double total_turn = 0;
  double area2 = 0;
  double perimeter = 0;
  int side = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const Point& a = outline[(i + n - 1) % n];
    const Point& b = outline[i];
    const Point& c = outline[(i + 1) % n];
    double turn = 0;
    if (!steady_turn(a, b, c, x_scale, side, turn))
      return false;
    total_turn += turn;
    area2 += (b.x * c.y - c.x * b.y) * x_scale;
    perimeter += std::hypot((c.x - b.x) * x_scale, c.y - b.y);
  }
  if (std::abs(std::abs(total_turn) - 360) > 1 || perimeter <= 0)
    return false;
  const double area = std::abs(area2) / 2;
  return 4 * std::numbers::pi * area / (perimeter * perimeter) >= min_roundness;
}

} // namespace

double turn_angle(Point p1, Point node, Point p2) {
  const double turn = signed_turn(node.x - p1.x, node.y - p1.y, p2.x - node.x, p2.y - node.y);
  const double angle = turn < 0 ? turn + 360 : turn;
  return angle >= 360 ? 0 : angle;
}

Roundabouts::Roundabouts(const Network& network)
    : on_ring_(network.link_count() + 1, false), exit_node_(network.node_count() + 1, false) {
  std::vector<bool> candidate(network.link_count() + 1, false);
  for (LinkId link = 1; link <= network.link_count(); ++link)
    candidate[link] = network.has_link(link) && may_lie_on_ring(network, link);
  RingFinder finder(network, candidate);
  for (LinkId link = 1; link <= network.link_count(); ++link) {
    if (!candidate[link] || on_ring_[link])
      continue;
    std::vector<SignedLink> ring = finder.ring_through(link);
    if (!ring.empty() && is_round(network, ring))
      for (SignedLink member : ring)
        on_ring_[link_of(member)] = true;
  }
  const Graph& graph = network.graph;
  for (NodeId v = 1; v <= network.node_count(); ++v) {
    bool ring = false;
    bool other = false;
    for (ArcId a = graph.arcs_begin(v); a < graph.arcs_end(v); ++a)
      (on_ring_[link_of(graph.arc_link[a])] ? ring : other) = true;
    exit_node_[v] = ring && other;
  }
}

} // namespace tamix
