#include "costs.h"

#include "error.h"

#include <string>

namespace tamix {

namespace {

void check_link(const Network& network, LinkId link) {
  if (!network.has_link(link))
    throw Error(code::out_of_bounds, "the network has no link " + std::to_string(link));
}

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

CostSettings::CostSettings() { class_speed_.fill(default_class_speed); }

void CostSettings::set_distance_unit(DistanceUnit unit) {
  unit_ = unit;
  ++version_;
}

void CostSettings::set_class_speed(int road_class, double speed) {
  if (road_class < 0 || road_class >= road_class_count)
    throw Error(code::out_of_bounds, "road class " + std::to_string(road_class) +
                                         " is outside 0.." + std::to_string(road_class_count - 1));
  class_speed_[road_class] = speed;
  ++version_;
}

void CostSettings::set_temp_speed(const Network& network, LinkId link, double speed) {
  check_link(network, link);
  temp_speed_[link] = speed;
  ++version_;
}

void CostSettings::close_link(const Network& network, LinkId link) {
  check_link(network, link);
  closed_.insert(link);
  ++version_;
}

void CostSettings::reset() {
  temp_speed_.clear();
  closed_.clear();
  ++version_;
}

bool CostSettings::closed(LinkId link) const { return closed_.count(link) != 0; }

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

void compute_arc_costs(const Network& network, const CostSettings& settings,
                       const Weights& weights, ArcCosts& costs) {
  const double unit = metres_per(settings.distance_unit());
  // Time has no share when neither cost uses it; otherwise a link without speed is impassable
  // for both, so the two costs always describe the same drivable network.
  const bool time_counts = weights.primary_time != 0 || weights.secondary_time != 0;
  auto per_metre = [&](double speed, bool primary) {
    if (time_counts && !(speed > 0))
      return inf_cost;
    return primary ? cost_per_metre(weights.primary_distance, weights.primary_time, speed, unit)
                   : cost_per_metre(weights.secondary_distance, weights.secondary_time, speed,
                                    unit);
  };
  std::array<Cost, road_class_count> primary_per_metre;
  std::array<Cost, road_class_count> secondary_per_metre;
  for (int c = 0; c < road_class_count; ++c) {
    primary_per_metre[c] = per_metre(settings.class_speed(c), true);
    secondary_per_metre[c] = per_metre(settings.class_speed(c), false);
  }

  const Graph& graph = network.graph;
  const ArcId arcs = graph.arc_count();
  costs.primary.resize(arcs);
  costs.secondary.resize(arcs);
  for (ArcId a = 0; a < arcs; ++a) {
    LinkId link = link_of(graph.arc_link[a]);
    double metres = network.link_metres[link];
    std::uint8_t road_class = network.link_class[link];
    costs.primary[a] = scaled(metres, primary_per_metre[road_class]);
    costs.secondary[a] = scaled(metres, secondary_per_metre[road_class]);
  }

  // Temporary speeds and closures touch few links: find their two arcs at their end nodes.
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
  for (const auto& [link, speed] : settings.temp_speeds()) {
    double metres = network.link_metres[link];
    Cost primary = scaled(metres, per_metre(speed, true));
    Cost secondary = scaled(metres, per_metre(speed, false));
    for_each_arc(link, [&](ArcId a) {
      costs.primary[a] = primary;
      costs.secondary[a] = secondary;
    });
  }
  for (LinkId link : settings.closed_links())
    for_each_arc(link, [&](ArcId a) {
      costs.primary[a] = inf_cost;
      costs.secondary[a] = inf_cost;
    });
}

} // namespace tamix
