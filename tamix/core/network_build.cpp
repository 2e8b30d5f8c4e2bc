#include "network_build.h"

#include "error.h"
#include "map_units.h"

#include <geodesic.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <utility>

namespace tamix {

namespace {

double planar_length(std::span<const Point> points) {
  double length = 0;
  for (std::size_t i = 1; i < points.size(); ++i)
    length += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
  return length;
}

// Degrees are longitude (x) and latitude (y); the network carries no datum, so lengths are
// measured on the WGS 84 ellipsoid.
double geodesic_metres(std::span<const Point> points) {
  static const geod_geodesic wgs84 = [] {
    geod_geodesic g;
    geod_init(&g, 6378137.0, 1 / 298.257223563);
    return g;
  }();
  double length = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    double metres = 0;
    geod_inverse(&wgs84, points[i - 1].y, points[i - 1].x, points[i].y, points[i].x, &metres,
                 nullptr, nullptr);
    length += metres;
  }
  return length;
}

// Position of cell (x, y) along a Hilbert curve over a 2^16 x 2^16 grid: cells close on the curve
// are close on the map.
std::uint64_t hilbert_index(std::uint32_t x, std::uint32_t y) {
  constexpr std::uint32_t side = 1u << 16;
  std::uint64_t index = 0;
  for (std::uint32_t s = side / 2; s > 0; s /= 2) {
    const std::uint32_t rx = (x & s) ? 1 : 0;
    const std::uint32_t ry = (y & s) ? 1 : 0;
    index += std::uint64_t(s) * s * ((3 * rx) ^ ry);
    if (ry == 0) {
      if (rx == 1) {
        x = side - 1 - x;
        y = side - 1 - y;
      }
      std::swap(x, y);
    }
  }
  return index;
}

// nodes: the two end points of every link with a shape.
// number: equal points share a node. Nodes are numbered along a Hilbert curve over the network's
// extent, so that nodes near each other on the map lie near each other in memory: a search then
// touches few cache lines.
std::vector<LinkEnds> number_nodes(const LinkGeometry& shapes, LinkId link_count,
                                   NodeId& node_count, PhaseProgress& progress) {
  struct End {
    std::uint64_t key;
    Point point;
    std::uint64_t slot; // 2 * link + (0 at the from end, 1 at the to end)
  };
  std::vector<End> ends;
  ends.reserve(2 * std::size_t(link_count));
  Point low{INFINITY, INFINITY}, high{-INFINITY, -INFINITY};
  for (LinkId l = 1; l <= link_count; ++l) {
    if (shapes.first_point[l + 1] == shapes.first_point[l])
      continue;
    const Point from = shapes.points[shapes.first_point[l]];
    const Point to = shapes.points[shapes.first_point[l + 1] - 1];
    ends.push_back({0, from, 2 * std::uint64_t(l)});
    ends.push_back({0, to, 2 * std::uint64_t(l) + 1});
    for (const Point& p : {from, to}) {
      low = {std::min(low.x, p.x), std::min(low.y, p.y)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
  }
  progress.step(1, 4);
  // Cell of a coordinate on the curve's grid; an extent too wide to measure puts all in cell 0.
  auto cell = [](double value, double low, double high) {
    const double scale = 65535 / (high - low);
    if (!(scale > 0) || !std::isfinite(scale))
      return std::uint32_t(0);
    return std::uint32_t(std::min(65535.0, (value - low) * scale));
  };
  for (End& end : ends)
    end.key = hilbert_index(cell(end.point.x, low.x, high.x), cell(end.point.y, low.y, high.y));
  std::sort(ends.begin(), ends.end(), [](const End& a, const End& b) {
    if (a.key != b.key)
      return a.key < b.key;
    if (a.point.x != b.point.x)
      return a.point.x < b.point.x;
    if (a.point.y != b.point.y)
      return a.point.y < b.point.y;
    return a.slot < b.slot;
  });
  progress.step(3, 4);
  std::vector<LinkEnds> link_ends(std::size_t(link_count) + 1);
  node_count = 0;
  for (std::size_t i = 0; i < ends.size(); ++i) {
    if (i == 0 || !(ends[i].point == ends[i - 1].point))
      ++node_count;
    LinkEnds& link = link_ends[ends[i].slot / 2];
    (ends[i].slot % 2 == 0 ? link.from : link.to) = node_count;
  }
  progress.finish();
  return link_ends;
}

} // namespace

double polyline_metres(std::span<const Point> points, int map_units) {
  if (map_units == map_units_degree)
    return geodesic_metres(points);
  return planar_length(points) * metres_per_map_unit(map_units);
}

Graph build_graph(const std::vector<LinkEnds>& link_ends, NodeId node_count) {
  Graph graph;
  graph.first_out.assign(std::size_t(node_count) + 2, 0);
  // Count into first_out[v + 1], then prefix sums give each node's first arc.
  for (std::size_t l = 1; l < link_ends.size(); ++l) {
    if (link_ends[l].from == no_node)
      continue;
    ++graph.first_out[link_ends[l].from + 1];
    ++graph.first_out[link_ends[l].to + 1];
  }
  for (NodeId v = 1; v <= node_count; ++v)
    if (graph.first_out[v + 1] > max_links_at_node)
      throw Error(code::too_many_links_at_node,
                  "node " + std::to_string(v) + " joins " + std::to_string(graph.first_out[v + 1]) +
                      " link ends (no more than " + std::to_string(max_links_at_node) + ")");
  std::partial_sum(graph.first_out.begin(), graph.first_out.end(), graph.first_out.begin());
  graph.head.resize(graph.first_out.back());
  graph.arc_link.resize(graph.first_out.back());
  std::vector<ArcId> next(graph.first_out.begin(), graph.first_out.end() - 1);
  for (std::size_t l = 1; l < link_ends.size(); ++l) {
    const LinkEnds& ends = link_ends[l];
    if (ends.from == no_node)
      continue;
    ArcId forward = next[ends.from]++;
    graph.head[forward] = ends.to;
    graph.arc_link[forward] = SignedLink(l);
    ArcId backward = next[ends.to]++;
    graph.head[backward] = ends.from;
    graph.arc_link[backward] = -SignedLink(l);
  }
  return graph;
}

Network build_network(LinkGeometry shapes, int map_units, const Progress& progress,
                      int progress_from, int progress_to) {
  if (!is_known_map_unit(map_units))
    throw Error(code::out_of_bounds, "unknown map unit " + std::to_string(map_units));
  const int span = progress_to - progress_from;
  Network network;
  network.map_units = map_units;
  const LinkId link_count = LinkId(shapes.first_point.size() - 2);

  PhaseProgress number_phase(progress, progress_from, progress_from + span * 6 / 10);
  NodeId node_count = 0;
  network.link_ends = number_nodes(shapes, link_count, node_count, number_phase);

  PhaseProgress sort_phase(progress, progress_from + span * 6 / 10, progress_to);
  network.graph = build_graph(network.link_ends, node_count);
  sort_phase.step(1, 3);
  network.node_points.assign(std::size_t(node_count) + 1, Point{});
  network.link_metres.assign(std::size_t(link_count) + 1, 0.0);
  for (LinkId l = 1; l <= link_count; ++l) {
    std::span<const Point> points = shapes.of(l);
    if (points.empty())
      continue;
    network.node_points[network.link_ends[l].from] = points.front();
    network.node_points[network.link_ends[l].to] = points.back();
    network.link_metres[l] = polyline_metres(points, map_units);
    if (!std::isfinite(network.link_metres[l]))
      throw Error(code::illegal_shapefile, "record " + std::to_string(l - 1) +
                                               " has no measurable length (coordinates " +
                                               "outside the range of the map units)");
    if (l % 65536 == 0)
      sort_phase.step(std::uint64_t(link_count) + l, 2 * std::uint64_t(link_count));
  }
  network.link_class.assign(std::size_t(link_count) + 1, default_road_class);
  network.geometry = std::move(shapes);
  sort_phase.finish();
  return network;
}

} // namespace tamix
