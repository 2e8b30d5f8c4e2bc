#include "costs.h"

#include "error.h"

#include <algorithm>
#include <string>

namespace tamix {

namespace {

// Cost per metre of a link at `speed` (> 0 whenever weight_time is not 0): weight_distance per
// distance unit plus weight_time per minute.
Cost cost_per_metre(double weight_distance, double weight_time, double speed,
                    double metres_per_unit) {
  Cost per_unit = weight_distance;
  if (weight_time != 0)
    per_unit += weight_time * 60.0 / speed;
  return per_unit / metres_per_unit;
}

Cost scaled(double metres, Cost per_metre) {
  return per_metre >= inf_cost ? inf_cost : metres * per_metre;
}

} // namespace

CostSettings::CostSettings() {
  class_speed_.fill(default_class_speed);
}

void CostSettings::set_distance_unit(DistanceUnit unit) {
  unit_ = unit;
}

void CostSettings::set_class_speed(int road_class, double speed) {
  if (road_class < 0 || road_class >= road_class_count)
    throw Error(code::out_of_bounds, "road class " + std::to_string(road_class) +
                                         " is outside 0.." + std::to_string(road_class_count - 1));
  class_speed_[road_class] = speed;
}

void CostSettings::set_temp_speed(const Network& network, LinkId link, double speed) {
  check_link(network, link);
  temp_speed_[link] = speed;
}

void CostSettings::close_link(const Network& network, LinkId link) {
  check_link(network, link);
  closed_.insert(link);
}

void CostSettings::reset() {
  temp_speed_.clear();
  closed_.clear();
}

bool CostSettings::closed(LinkId link) const {
  return closed_.count(link) != 0;
}

double CostSettings::speed(const Network& network, LinkId link) const {
  auto temp = temp_speed_.find(link);
  return temp != temp_speed_.end() ? temp->second : class_speed_[network.link_class[link]];
}

double link_distance(const Network& network, const CostSettings& settings, LinkId link) {
  check_link(network, link);
  return network.link_metres[link] / metres_per(settings.distance_unit());
}

double link_minutes(const Network& network, const CostSettings& settings, LinkId link) {
  double distance = link_distance(network, settings, link);
  double speed = settings.speed(network, link);
  return speed > 0 ? distance / speed * 60.0 : inf_cost;
}

void compute_arc_costs(const Network& network, const CostSettings& settings, const Weights& weights,
                       ArcCosts& costs) {
  // Searches rely on costs that never fall along a path.
  for (double weight : {weights.primary_distance, weights.primary_time, weights.secondary_distance,
                        weights.secondary_time})
    if (!(weight >= 0))
      throw Error(code::out_of_bounds, "cost weights must not be negative");
  const double unit = metres_per(settings.distance_unit());
  // Time has no share when neither cost uses it; otherwise a link without speed is impassable
  // for both, so the two costs always describe the same drivable network.
  const bool time_counts = weights.primary_time != 0 || weights.secondary_time != 0;
  auto per_metre = [&](double speed, bool primary) {
    if (time_counts && !(speed > 0))
      return inf_cost;
    return primary
               ? cost_per_metre(weights.primary_distance, weights.primary_time, speed, unit)
               : cost_per_metre(weights.secondary_distance, weights.secondary_time, speed, unit);
  };
  std::array<Cost, road_class_count> primary_per_metre;
  std::array<Cost, road_class_count> secondary_per_metre;
  for (int c = 0; c < road_class_count; ++c) {
    primary_per_metre[c] = per_metre(settings.class_speed(c), true);
    secondary_per_metre[c] = per_metre(settings.class_speed(c), false);
  }

  const Graph& graph = network.graph;
  // A link's two arcs, found at its end nodes (few links are patched, so no index is kept).
  auto for_each_arc = [&](LinkId link, auto&& apply) {
    const LinkEnds& ends = network.link_ends[link];
    for (NodeId v : {ends.from, ends.to}) {
      for (ArcId a = graph.arcs_begin(v); a < graph.arcs_end(v); ++a)
        if (link_of(graph.arc_link[a]) == link)
          apply(a);
      if (ends.from == ends.to)
        break;
    }
  };
  auto set_link = [&](LinkId link, Cost primary, Cost secondary) {
    for_each_arc(link, [&](ArcId a) {
      costs.arcs[a].primary = primary;
      costs.arcs[a].secondary = secondary;
    });
  };
  auto base_cost = [&](LinkId link, const std::array<Cost, road_class_count>& per_class) {
    return scaled(network.link_metres[link], per_class[network.link_class[link]]);
  };

  const BaseCostKey base{network.identity, settings.distance_unit(), settings.class_speeds(),
                         weights};
  const ArcId arcs = graph.arc_count();
  if (costs.base == base && costs.arcs.size() == arcs) {
    for (LinkId link : costs.patched)
      set_link(link, base_cost(link, primary_per_metre), base_cost(link, secondary_per_metre));
  } else {
    costs.arcs.resize(arcs);
    for (ArcId a = 0; a < arcs; ++a) {
      const LinkId link = link_of(graph.arc_link[a]);
      costs.arcs[a] = {base_cost(link, primary_per_metre), base_cost(link, secondary_per_metre),
                       graph.head[a], graph.arc_link[a]};
    }
    costs.base = base;
  }

  // Closures only raise costs; the least rate is that of a class or of a temporary speed.
  Cost least = *std::min_element(primary_per_metre.begin(), primary_per_metre.end());
  costs.patched.clear();
  for (const auto& [link, speed] : settings.temp_speeds()) {
    const double metres = network.link_metres[link];
    const Cost primary_rate = per_metre(speed, true);
    least = std::min(least, primary_rate);
    set_link(link, scaled(metres, primary_rate), scaled(metres, per_metre(speed, false)));
    costs.patched.push_back(link);
  }
  costs.min_primary_per_metre = least > 0 && least < inf_cost ? least : 0;
  for (LinkId link : settings.closed_links()) {
    set_link(link, inf_cost, inf_cost);
    costs.patched.push_back(link);
  }
}

} // namespace tamix
