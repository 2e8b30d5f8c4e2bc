#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "com/unknown.h"
#include "common/turn_text_from_angle.h"
#include "host/geometry.h"
#include "host/row.h"
#include "host/table.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {

// The turn-by-turn directions of one route run. Each solved leg's path is walked from the link
// at the leg's origin to the link at its target, and consecutive links that share one
// description (the network layer's field gDescFieldName) become one row of gDirections, with
// their costs summed and their shapes joined. A row starts at the route's first link ("Start
// Along"), at a change of description (the turn text of the angle at the node), on entering a
// roundabout ("Enter the Roundabout") and on leaving it ("Take N . exit from Roundabout", N the
// roundabout nodes passed). Every leg after the first opens with a row "Stage N" of zero costs
// and an empty shape.
//
// Costs: the engine's accumulated primary and secondary costs at each link's far end, counted
// on from the totals of the previous legs; a link's own costs are the differences.

// Where the directions of the gazetteer route and the tours differ from the route tool's.
struct DirectionStyle {
  TurnTable turns = TurnTable::Route;
  // Given, every leg, the first one too, opens with a stage row of this text for the leg
  // (from 0) in place of "Stage N".
  std::function<std::string(std::int32_t leg)> stage_text;
};

class RouteDirections {
public:
  // Starts an empty run: gDirections is emptied.
  RouteDirections(tamix::NetBase& base, tamix::NetCalc& calc, host::HostFeatureClass& network,
                  const std::string& desc_field, DirectionStyle style = {});

  // The rows of leg `leg` (from 0), whose path the last solve primed with `node_count` nodes.
  void add_leg(std::int32_t leg, std::int32_t node_count);

  std::int32_t row_count() const { return row_count_; }
  // One shape per row, in row order.
  const std::vector<com::ComPtr<host::HostGeometry>>& shapes() const { return shapes_; }

private:
  struct Link {
    std::int32_t signed_number = 0;
    com::ComPtr<host::HostPointCollection> vertices;
    std::string desc;
    bool in_roundabout = false;
    float primary = 0; // running totals at the link's far end
    float secondary = 0;
  };

  void add_stage_row(std::int32_t leg);
  Link read_link(std::int32_t signed_number);
  std::string turn_text(const Link& link, std::int32_t node);
  void add_row(const Link& link, com::ComPtr<host::HostGeometry> shape, const std::string& text);
  void merge_into_last_row(const Link& link, host::HostGeometry* shape);

  tamix::NetBase& base_;
  tamix::NetCalc& calc_;
  host::HostFeatureClass& network_;
  int desc_index_;
  DirectionStyle style_;

  std::int32_t row_count_ = 0;
  std::vector<com::ComPtr<host::HostGeometry>> shapes_;
  // The sentinel description makes the first link differ from any real one.
  std::string previous_desc_ = "xxxxxx";
  Link previous_;
  std::int32_t exit_count_ = 0;
  bool new_row_ = false;
  float leg_base_primary_ = 0;
  float leg_base_secondary_ = 0;
};

// The vertex next to the node that joins two links, in the direction of travel: for the link
// the route enters (`after_node`) its second vertex (second-to-last when travelled against its
// shape), for the link it leaves the second-to-last (second when travelled against). False for
// link 0 or a shape without two vertices.
bool LinkEndPoint(host::HostPointCollection& vertices, std::int32_t signed_link, bool after_node,
                  host::XY& point);

} // namespace corvane
