#pragma once

// Zone polygons around centres, and the partition of the network's area by nearest centre.
//
// What is reached: cost runs uniformly along a link, so within a limit a link is reached from
// each reached end up to the fraction of its length that the remaining cost pays for (the whole
// link when the two parts meet). A zone is every place within the widening radius of the network
// reached within its limit (zone_lattice.h and the fields say how the outline is drawn). Each
// centre's node is always in its zones of a positive limit, even when every link at it is closed,
// so such a zone is never empty.
//
// The widening radius decides what the picture shows: where links lie closer together than
// twice the radius the zone fills in, farther apart it becomes corridors along the roads.

#include "centres.h"
#include "costs.h"
#include "geos_geometry.h"
#include "search.h"
#include "zone_stripes.h"

#include <optional>
#include <span>
#include <vector>

namespace tamix {

// The rectangle the output is cut to; the add-in sends four zeros for none.
struct Extent {
  Point low;
  Point high;
};
// The extent of four values as the add-in sends them: none when all are 0 or the rectangle is
// empty.
std::optional<Extent> extent_of(double min_x, double min_y, double max_x, double max_y);

// The default widening radius: the median length of the network's links in map units (measured
// along their shapes), in metres on a network in degrees. A city block is about one link on a side,
// so a block whose streets are reached lies within the radius of them and its zone fills in; rural
// roads, whose links are far longer than the median, stand as corridors two radii wide. 1 for a
// network without links.
double default_zone_radius(const Network& network);

// Most sample points a zone grid may use (64 MB of distances, as much again of reach costs or
// twice as much of owners); a larger area is sampled wider.
inline constexpr std::size_t most_zone_grid_points = std::size_t(1) << 24;

struct ZoneOptions {
  double radius = 1;  // in map units; in metres on a network in degrees (zone_frame.h)
  bool rings = false; // each zone less the zone of the next lower limit
  std::optional<Extent> extent;
  std::size_t most_points = most_zone_grid_points;
  // Who draws the network into the zone lattice (zone_stripes.h): one thread per processor
  // unless the caller says otherwise; the zones are the same on any number.
  ZoneWorkers workers = zone_workers_of_machine();
};

// One area per limit, in the order of `limits`, after `search` ran from `centres` at cost 0 with
// a cut-off of at least the largest limit (costs: those it ran with). A limit of 0 or less gives
// an empty area. With rings, a limit's ring is its zone less the zone of the next lower distinct
// limit (an equal limit gets the same ring).
std::vector<geos::Geometry> zone_areas(geos::Context& geometry, const Search& search,
                                       const ArcCosts& costs, std::span<const NodeId> centres,
                                       std::span<const double> limits, const ZoneOptions& options);

// One area per centre, in centre order, after `search` ran from the centres with no cut-off and
// `owners` were assigned: the places within the radius of the reached network that are nearer
// (along the straight line) to the network a centre reaches first than to any other centre's.
// A link whose ends have different centres is split where both reach it at the same cost.
// Unreached parts of the network belong to no centre; the areas never overlap. A centre that
// owns nothing gets an empty area.
std::vector<geos::Geometry> nearest_centre_areas(geos::Context& geometry, const Search& search,
                                                 const ArcCosts& costs, const CentreOwners& owners,
                                                 std::size_t centre_count,
                                                 const ZoneOptions& options);

} // namespace tamix
