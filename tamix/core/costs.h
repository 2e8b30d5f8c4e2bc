#pragma once

// Link costs for one run, built from the settings the add-in sends; the network files are never
// edited for them.
//
//   distance = link length in the current distance unit (km or miles)
//   minutes  = distance / speed * 60, speed = the link's temporary speed if set, else its
//              class speed (per hour in the current distance unit)
//   primary  = primary_distance * distance + primary_time * minutes, secondary likewise
//
// A speed of 0 or less has no time: such a link is impassable (inf_cost both ways) whenever
// either cost uses minutes, and never divides by zero. A closed link is impassable for
// everything.

#include "graph.h"
#include "map_units.h"
#include "network.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tamix {

inline constexpr double default_class_speed = 1.0;

struct Weights {
  double primary_distance = 1;
  double primary_time = 0;
  double secondary_distance = 0;
  double secondary_time = 1;
  friend bool operator==(const Weights&, const Weights&) = default;
};

// The network object's cost settings. Class speeds and the distance unit stay until changed;
// temporary speeds and closures last until reset().
class CostSettings {
public:
  CostSettings();

  void set_distance_unit(DistanceUnit unit);
  DistanceUnit distance_unit() const { return unit_; }
  // Raises out_of_bounds for a class outside 0..31.
  void set_class_speed(int road_class, double speed);
  double class_speed(int road_class) const { return class_speed_.at(road_class); }
  // Raise out_of_bounds for a link that the network does not have.
  void set_temp_speed(const Network& network, LinkId link, double speed);
  void close_link(const Network& network, LinkId link);
  // Drops every temporary speed and closure; class speeds and the unit stay.
  void reset();

  bool closed(LinkId link) const;
  // The link's speed (temporary, else class) per hour in the distance unit.
  double speed(const Network& network, LinkId link) const;
  const std::array<double, road_class_count>& class_speeds() const { return class_speed_; }

  const std::unordered_map<LinkId, double>& temp_speeds() const { return temp_speed_; }
  const std::unordered_set<LinkId>& closed_links() const { return closed_; }

private:
  DistanceUnit unit_ = DistanceUnit::kilometres;
  std::array<double, road_class_count> class_speed_;
  std::unordered_map<LinkId, double> temp_speed_;
  std::unordered_set<LinkId> closed_;
};

// A link's distance in the settings' unit, and its minutes (inf_cost when its speed is <= 0).
double link_distance(const Network& network, const CostSettings& settings, LinkId link);
double link_minutes(const Network& network, const CostSettings& settings, LinkId link);

// What the costs of every link without a temporary speed or closure depend on.
struct BaseCostKey {
  std::uint64_t network = 0; // Network::identity
  DistanceUnit unit = DistanceUnit::kilometres;
  std::array<double, road_class_count> class_speed{};
  Weights weights;
  friend bool operator==(const BaseCostKey&, const BaseCostKey&) = default;
};

// Per-arc costs of one run (indexed like Graph::head).
struct ArcCosts {
  // Both costs beside copies of the arc's head and link: a search reads this one array for the
  // arcs of every node it settles.
  struct Arc {
    Cost primary;
    Cost secondary;
    NodeId head;
    SignedLink link;
    friend bool operator==(const Arc&, const Arc&) = default;
  };
  std::vector<Arc> arcs;
  Cost primary(ArcId arc) const { return arcs[arc].primary; }
  Cost secondary(ArcId arc) const { return arcs[arc].secondary; }
  // What the arrays were computed from, and the links given their own costs on top, so that
  // the next run redoes only those when nothing else changed.
  BaseCostKey base;
  std::vector<LinkId> patched;
  // No passable arc costs less per metre of its link than this (0 when nothing is known).
  double min_primary_per_metre = 0;
};

// Brings `costs` up to date for every arc of `network` (a negative weight raises out_of_bounds): in
// full when the unit, class speeds or weights changed (or on first use), else by redoing only the
// links of the last and the current temporary speeds and closures. Reuses the arrays' memory.
void compute_arc_costs(const Network& network, const CostSettings& settings, const Weights& weights,
                       ArcCosts& costs);

} // namespace tamix
