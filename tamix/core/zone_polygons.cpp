#include "zone_polygons.h"

#include "link_piece.h"
#include "map_units.h"
#include "ring_difference.h"
#include "zone_cost_field.h"
#include "zone_frame.h"
#include "zone_owner_field.h"
#include "zone_stripes.h"

#include <algorithm>
#include <cmath>

namespace tamix {
namespace {

// Lines drawn one after another into shared arrays, each with its owner or its points' costs.
struct Lines {
  std::vector<Point> points;
  std::vector<float> costs;
  std::vector<std::size_t> ends;
  std::vector<std::uint32_t> owners;

  void add(const std::vector<Point>& line, std::uint32_t owner) {
    points.insert(points.end(), line.begin(), line.end());
    ends.push_back(points.size());
    owners.push_back(owner);
  }
  // The line from `cost` at its first point to `end_cost` at its last, uniform along its length.
  void add_reached(const std::vector<Point>& line, Cost cost, Cost end_cost) {
    if (cost == end_cost) {
      costs.insert(costs.end(), line.size(), static_cast<float>(cost));
      add(line, 1);
      return;
    }
    // (A plain root: hypot's care for overflow costs more than the rest of the line.)
    const auto step = [&](std::size_t k) {
      const double dx = line[k].x - line[k - 1].x, dy = line[k].y - line[k - 1].y;
      return std::sqrt(dx * dx + dy * dy);
    };
    double length = 0;
    for (std::size_t k = 1; k < line.size(); ++k)
      length += step(k);
    double walked = 0;
    for (std::size_t k = 0; k < line.size(); ++k) {
      if (k > 0)
        walked += step(k);
      const double share = length > 0 ? walked / length : 0;
      costs.push_back(static_cast<float>(cost + share * (end_cost - cost)));
    }
    add(line, 1);
  }
  // Calls `each`(k, line, first) for the lines in turn, `first` the place of its first point.
  template <class Each> void for_each_line(Each each) const {
    std::size_t begin = 0;
    for (std::size_t k = 0; k < ends.size(); ++k) {
      each(k, std::span<const Point>(points).subspan(begin, ends[k] - begin), begin);
      begin = ends[k];
    }
  }
  void plan(ZoneBlockPlan& plan) const {
    for_each_line(
        [&](std::size_t, std::span<const Point> line, std::size_t) { plan.add_line(line); });
  }
  void draw(ZoneCostField& field, const ZoneWorkers& workers) const {
    draw_in_stripes(field.lattice(), ZoneBlockLayout::side, workers, [&](ZoneRows rows) {
      for_each_line([&](std::size_t, std::span<const Point> line, std::size_t first) {
        field.add_reached_line(line, std::span<const float>(costs).subspan(first, line.size()),
                               rows);
      });
    });
  }
  // The owners' stripes are of whole block rows too, as many as the reach costs get.
  void draw(ZoneOwnerField& field, const ZoneWorkers& workers) const {
    draw_in_stripes(field.lattice(), ZoneBlockLayout::side, workers, [&](ZoneRows rows) {
      for_each_line([&](std::size_t k, std::span<const Point> line, std::size_t) {
        field.add_line(line, owners[k], rows);
      });
    });
  }
};

struct Box {
  Point low{inf_cost, inf_cost};
  Point high{-inf_cost, -inf_cost};
  bool empty() const { return low.x > high.x || low.y > high.y; }
  void add(const std::vector<Point>& points) {
    for (const Point& p : points) {
      low = {std::min(low.x, p.x), std::min(low.y, p.y)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
  }
};

// The options with the extent in the plane of `frame`.
ZoneOptions in_plane(const ZoneFrame& frame, ZoneOptions options) {
  if (options.extent)
    options.extent =
        Extent{frame.to_plane(options.extent->low), frame.to_plane(options.extent->high)};
  return options;
}

// The rings of the plane back in map units.
geos::Rings on_map(const ZoneFrame& frame, geos::Rings rings) {
  for (auto& ring : rings)
    frame.to_map(ring);
  return rings;
}

// The part of the box that can show in the extent: what lies farther outside it than the
// radius cannot reach into it.
Box within_extent(Box box, const ZoneOptions& options) {
  if (!options.extent)
    return box;
  const double margin = options.radius * 2;
  box.low = {std::max(box.low.x, options.extent->low.x - margin),
             std::max(box.low.y, options.extent->low.y - margin)};
  box.high = {std::min(box.high.x, options.extent->high.x + margin),
              std::min(box.high.y, options.extent->high.y + margin)};
  return box;
}

// The area of a zone's rings cut to the extent. GEOS's overlay gives each of a city's thousands of
// holes a test against the whole outline, so only the rings that meet the extent's border go
// through it; the rings within the extent are kept as they are and those outside it dropped.
geos::Geometry area_in_extent(geos::Context& geometry, const geos::Rings& rings,
                              const ZoneOptions& options) {
  if (!options.extent)
    return geometry.area_of_rings(rings);
  const Extent& extent = *options.extent;
  geos::Rings kept, crossing;
  for (const auto& ring : rings) {
    Box box;
    box.add(ring);
    if (box.high.x < extent.low.x || box.low.x > extent.high.x || box.high.y < extent.low.y ||
        box.low.y > extent.high.y)
      continue;
    const bool within = box.low.x > extent.low.x && box.high.x < extent.high.x &&
                        box.low.y > extent.low.y && box.high.y < extent.high.y;
    (within ? kept : crossing).push_back(ring);
  }
  if (!crossing.empty()) {
    const geos::Geometry cut = geometry.intersection(*geometry.area_of_rings(crossing),
                                                     *geometry.rectangle(extent.low, extent.high));
    // Back from the shapefile's order of rings to the inside on the left.
    for (auto& ring : geometry.shapefile_rings(*cut)) {
      std::reverse(ring.begin(), ring.end());
      kept.push_back(std::move(ring));
    }
  }
  return geometry.area_of_rings(kept);
}

geos::Geometry cut_to_extent(geos::Context& geometry, geos::Geometry area,
                             const ZoneOptions& options) {
  if (!options.extent || geometry.is_empty(*area))
    return area;
  const geos::Geometry rectangle = geometry.rectangle(options.extent->low, options.extent->high);
  return geometry.intersection(*area, *rectangle);
}

// The fraction of a link that the cost `budget` pays for from one end, its arc costing `cost`.
double fraction_paid(Cost budget, Cost cost) {
  if (budget < 0)
    return 0;
  if (cost <= 0)
    return 1;
  return std::min(1.0, budget / cost);
}

// The piece of `link` from fraction `near` to `far` of the way from the end where the arc
// `signed_link` starts, in the plane of `frame`.
void add_piece(const Network& network, const ZoneFrame& frame, SignedLink signed_link, double near,
               double far, std::vector<double>& walked, std::vector<Point>& piece) {
  const auto points = network.geometry.of(link_of(signed_link));
  if (signed_link > 0)
    link_piece(points, near, far, walked, piece);
  else
    link_piece(points, 1 - near, 1 - far, walked, piece);
  frame.to_plane(piece);
}

// The nodes the search started from that own their zones (cost 0).
std::vector<NodeId> centres_of(const Search& search, const CentreOwners& owners,
                               std::size_t centre_count) {
  std::vector<NodeId> centres;
  for (NodeId node : search.settled_nodes()) {
    const std::uint32_t owner = owners.of(search, node);
    if (owner != 0 && owner <= centre_count && search.primary(node) == 0)
      centres.push_back(node);
  }
  return centres;
}

double median_or_one(std::vector<double>& lengths) {
  if (lengths.empty())
    return 1;
  const auto middle = lengths.begin() + lengths.size() / 2;
  std::nth_element(lengths.begin(), middle, lengths.end());
  return *middle;
}

} // namespace

std::optional<Extent> extent_of(double min_x, double min_y, double max_x, double max_y) {
  if (min_x == 0 && min_y == 0 && max_x == 0 && max_y == 0)
    return std::nullopt;
  if (!(max_x > min_x && max_y > min_y))
    return std::nullopt;
  return Extent{{min_x, min_y}, {max_x, max_y}};
}

double default_zone_radius(const Network& network) {
  std::vector<double> lengths;
  lengths.reserve(network.link_count());
  // Zones of a network in degrees are drawn in metres (zone_frame.h), and its links' metres
  // were measured on the ellipsoid as it was built.
  if (network.map_units == map_units_degree) {
    for (LinkId link = 1; link <= network.link_count(); ++link)
      if (network.has_link(link) && network.link_metres[link] > 0)
        lengths.push_back(network.link_metres[link]);
    return median_or_one(lengths);
  }
  for (LinkId link = 1; link <= network.link_count(); ++link) {
    const auto points = network.geometry.of(link);
    double length = 0;
    for (std::size_t k = 1; k < points.size(); ++k)
      length += std::hypot(points[k].x - points[k - 1].x, points[k].y - points[k - 1].y);
    if (length > 0)
      lengths.push_back(length);
  }
  return median_or_one(lengths);
}

std::vector<geos::Geometry> zone_areas(geos::Context& geometry, const Search& search,
                                       const ArcCosts& costs, std::span<const NodeId> centres,
                                       std::span<const double> limits, const ZoneOptions& options) {
  std::vector<double> levels;
  for (double limit : limits)
    if (limit > 0)
      levels.push_back(limit);
  std::sort(levels.begin(), levels.end());
  levels.erase(std::unique(levels.begin(), levels.end()), levels.end());

  // The network reached within the largest level, from each reached end of each link, with the
  // cost along it.
  const Network& network = search.network();
  const ZoneFrame frame = ZoneFrame::around(network, centres);
  Lines reached;
  Box box;
  std::vector<double> walked;
  std::vector<Point> piece;
  // With one level, all that counts is whether a point lies within the radius of the reached
  // network (every reached cost is within the level): the pieces go in at cost 0, and the first
  // piece near a point settles it.
  const bool one_level = levels.size() == 1;
  if (!levels.empty()) {
    for (NodeId centre : centres) {
      const Point at = frame.to_plane(network.node_points[centre]);
      reached.add_reached({at}, 0, 0);
      box.add({at});
    }
    for (NodeId node : search.settled_nodes()) {
      const Cost cost = search.primary(node);
      for (ArcId a = network.graph.arcs_begin(node); a < network.graph.arcs_end(node); ++a) {
        const ArcCosts::Arc& arc = costs.arcs[a];
        if (arc.primary >= inf_cost)
          continue;
        const double fraction = fraction_paid(levels.back() - cost, arc.primary);
        if (fraction <= 0)
          continue;
        add_piece(network, frame, arc.link, 0, fraction, walked, piece);
        if (piece.empty())
          continue;
        if (one_level)
          reached.add_reached(piece, 0, 0);
        else
          reached.add_reached(piece, cost, cost + fraction * arc.primary);
        box.add(piece);
      }
    }
  }

  // Each level's zone, or its ring: the zone less the zone before; cut to the extent.
  std::vector<geos::Geometry> zones;
  box = within_extent(box, in_plane(frame, options));
  if (!box.empty()) {
    ZoneBlockPlan plan(ZoneLattice(box.low, box.high, options.radius, options.most_points));
    reached.plan(plan);
    ZoneCostField field(plan);
    reached.draw(field, options.workers);
    geos::Rings before;
    field.zones_within(levels, [&](std::size_t k, geos::Rings rings) {
      zones.push_back(area_in_extent(
          geometry, on_map(frame, options.rings && k > 0 ? ring_difference(rings, before) : rings),
          options));
      before = std::move(rings);
    });
  }

  // Each limit's area; the last limit of a level takes the level's own (a list of many zones
  // holds each once).
  const auto level_of = [&](double limit) {
    return std::size_t(std::lower_bound(levels.begin(), levels.end(), limit) - levels.begin());
  };
  std::vector<std::size_t> uses(levels.size(), 0);
  for (double limit : limits)
    if (limit > 0)
      ++uses[level_of(limit)];
  std::vector<geos::Geometry> areas;
  for (double limit : limits) {
    if (limit <= 0 || zones.empty()) {
      areas.push_back(geometry.empty_area());
      continue;
    }
    const std::size_t k = level_of(limit);
    areas.push_back(--uses[k] == 0 ? std::move(zones[k]) : geometry.clone(*zones[k]));
  }
  return areas;
}

std::vector<geos::Geometry> nearest_centre_areas(geos::Context& geometry, const Search& search,
                                                 const ArcCosts& costs, const CentreOwners& owners,
                                                 std::size_t centre_count,
                                                 const ZoneOptions& options) {
  // Each reached end owns its link up to where the other end reaches it at the same cost.
  const Network& network = search.network();
  // (The centres are looked for only where the frame needs them.)
  const ZoneFrame frame = ZoneFrame::around(network, network.map_units == map_units_degree
                                                         ? centres_of(search, owners, centre_count)
                                                         : std::vector<NodeId>{});
  Lines lines;
  Box box;
  std::vector<double> walked;
  std::vector<Point> piece;
  for (NodeId node : search.settled_nodes()) {
    const std::uint32_t owner = owners.of(search, node);
    if (owner == 0 || owner > centre_count)
      continue;
    const Cost cost = search.primary(node);
    if (cost == 0) {
      const Point at = frame.to_plane(network.node_points[node]);
      lines.add({at}, owner);
      box.add({at});
    }
    for (ArcId a = network.graph.arcs_begin(node); a < network.graph.arcs_end(node); ++a) {
      const ArcCosts::Arc& arc = costs.arcs[a];
      if (arc.primary >= inf_cost)
        continue;
      const Cost other = search.primary(arc.head);
      // Links cost the same both ways: the costs from the two ends meet at this fraction.
      double split = 1;
      if (other < inf_cost)
        split = arc.primary > 0
                    ? std::clamp((other + arc.primary - cost) / (2 * arc.primary), 0.0, 1.0)
                    : 0.5;
      if (split <= 0)
        continue;
      add_piece(network, frame, arc.link, 0, split, walked, piece);
      if (piece.empty())
        continue;
      lines.add(piece, owner);
      box.add(piece);
    }
  }

  std::vector<geos::Geometry> areas;
  box = within_extent(box, in_plane(frame, options));
  if (box.empty()) {
    for (std::size_t k = 0; k < centre_count; ++k)
      areas.push_back(geometry.empty_area());
    return areas;
  }
  ZoneOwnerField field(ZoneLattice(box.low, box.high, options.radius, options.most_points));
  lines.draw(field, options.workers);
  const auto windows = field.owner_windows(std::uint32_t(centre_count + 1));
  for (std::uint32_t owner = 1; owner <= centre_count; ++owner) {
    geos::Geometry area =
        windows[owner].empty()
            ? geometry.empty_area()
            : geometry.area_of_rings(on_map(frame, field.rings_of_owner(owner, windows[owner])));
    // Outlines of two centres follow one line, but where three meet in a cell the sampled
    // lines may cross a little: a lower number keeps what both claim.
    for (std::uint32_t before = 1; before < owner && !geometry.is_empty(*area); ++before)
      if (windows[before].overlaps(windows[owner]) && !geometry.is_empty(*areas[before - 1]))
        area = geometry.difference(*area, *areas[before - 1]);
    areas.push_back(std::move(area));
  }
  for (geos::Geometry& area : areas)
    area = cut_to_extent(geometry, std::move(area), options);
  return areas;
}

} // namespace tamix
