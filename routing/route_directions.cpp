#include "routing/route_directions.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "com/numbers.h"
#include "common/join_line_geometries.h"
#include "common/turn_text_from_angle.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

com::ComPtr<host::HostGeometry> empty_line() {
  return create<host::HostGeometry>(host::PolylineClass);
}

// The link's shape as the route travels it: reversed (parts and vertices) when the route runs
// against the digitised direction, so a row's line starts where the step starts.
com::ComPtr<host::HostGeometry>
travelled_shape(const com::ComPtr<host::HostPointCollection>& vertices, std::int32_t signed_link) {
  auto shape = require(require_as<host::HostGeometry>(vertices, "shape")->Clone(), "shape copy");
  if (signed_link >= 0)
    return shape;
  const auto line = require_as<host::HostPolyline>(shape, "shape as polyline");
  const auto reversed = require_as<host::HostPolyline>(empty_line(), "new polyline");
  for (int i = line->PathCount() - 1; i >= 0; --i) {
    auto path = line->PathAt(i);
    std::reverse(path.begin(), path.end());
    reversed->AddPath(path);
  }
  reversed->SetSpatialReference(line->SpatialReference().get());
  return reversed;
}

std::string value_text(host::HostFeature& feature, int index) {
  if (index < 0)
    return "";
  return feature.Value(index).to_string().value_or("");
}

} // namespace

bool LinkEndPoint(host::HostPointCollection& vertices, std::int32_t signed_link, bool after_node,
                  host::XY& point) {
  const int count = vertices.PointCount();
  if (signed_link == 0 || count < 2)
    return false;
  const bool first_side = (signed_link > 0) == after_node;
  const auto vertex = vertices.Point(first_side ? 1 : count - 2);
  if (!vertex)
    return false;
  point = {vertex->X(), vertex->Y()};
  return true;
}

RouteDirections::RouteDirections(tamix::NetBase& base, tamix::NetCalc& calc,
                                 host::HostFeatureClass& network, const std::string& desc_field,
                                 DirectionStyle style)
    : base_(base), calc_(calc), network_(network), desc_index_(network.FindField(desc_field)),
      style_(std::move(style)) {
  shared_state().gDirections.clear();
}

void RouteDirections::add_leg(std::int32_t leg, std::int32_t node_count) {
  for (std::int32_t k = node_count - 1; k >= 1; --k) {
    const std::int32_t signed_number = calc_.GetPathLink(k);
    const std::int32_t node = calc_.GetPathNode(k + 1);
    const bool first_of_leg = k == node_count - 1;
    const bool first_of_route = first_of_leg && leg == 0;
    if (first_of_leg && (leg > 0 || style_.stage_text))
      add_stage_row(leg);

    auto link = read_link(signed_number);
    const auto shape = travelled_shape(link.vertices, signed_number);
    std::string text;
    bool text_chosen = false;
    if (!link.in_roundabout && (link.desc != previous_desc_ || previous_.in_roundabout) &&
        !first_of_route) {
      new_row_ = true;
      text = exit_count_ > 0 ? "Take " + std::to_string(exit_count_) + " . exit from Roundabout"
                             : turn_text(link, node);
      text_chosen = true;
    }
    if (first_of_route) {
      text = "Start Along";
      text_chosen = true;
      new_row_ = true;
    } else if (link.in_roundabout) {
      if (base_.IsRoundaboutNode(node))
        ++exit_count_;
      if (!previous_.in_roundabout) {
        text = "Enter the Roundabout";
        text_chosen = true;
        new_row_ = true;
      } else if (first_of_leg) {
        text = "Proceed along the Roundabout";
        text_chosen = true;
        new_row_ = true;
      }
    } else {
      exit_count_ = 0;
    }
    // A row started by a stage row alone (same description, no roundabout) gets the turn text
    // rather than whatever text an earlier row had.
    if (new_row_ && !text_chosen)
      text = turn_text(link, node);

    if (new_row_) {
      add_row(link, shape, text);
      new_row_ = false;
    } else {
      merge_into_last_row(link, shape.get());
    }
    previous_desc_ = link.desc;
    previous_ = std::move(link);
  }
  leg_base_primary_ = previous_.primary;
  leg_base_secondary_ = previous_.secondary;
}

void RouteDirections::add_stage_row(std::int32_t leg) {
  auto& row = shared_state().gDirections[row_count_];
  row = DirectionRow{};
  row.Direction = style_.stage_text ? style_.stage_text(leg) : "Stage " + std::to_string(leg + 1);
  shapes_.push_back(empty_line());
  ++row_count_;
  new_row_ = true;
  previous_desc_ = "";
}

RouteDirections::Link RouteDirections::read_link(std::int32_t signed_number) {
  const std::int32_t number = std::abs(signed_number);
  com::ComPtr<host::HostFeature> feature;
  check_call(network_.GetFeature(number - 1, &feature), "GetFeature");
  require(feature, "GetFeature");
  Link link;
  link.signed_number = signed_number;
  link.vertices = require_as<host::HostPointCollection>(require(feature->ShapeCopy(), "shape"),
                                                        "shape vertices");
  link.in_roundabout = base_.IsRoundaboutLink(number);
  link.primary = leg_base_primary_ + calc_.GetLinkLength(number);
  link.secondary = leg_base_secondary_ + calc_.GetLinkTime(number);
  link.desc = value_text(*feature, desc_index_);
  return link;
}

std::string RouteDirections::turn_text(const Link& link, std::int32_t node) {
  host::XY before;
  host::XY after;
  double angle = 0;
  if (previous_.vertices &&
      LinkEndPoint(*previous_.vertices, previous_.signed_number, false, before) &&
      LinkEndPoint(*link.vertices, link.signed_number, true, after))
    angle = base_.TurnAngle(before.x, before.y, node, after.x, after.y);
  return std::string(
      TurnTextFromAngle(static_cast<std::int32_t>(com::round_half_even(angle)), style_.turns));
}

void RouteDirections::add_row(const Link& link, com::ComPtr<host::HostGeometry> shape,
                              const std::string& text) {
  auto& row = shared_state().gDirections[row_count_];
  row.LinkIndex = std::abs(link.signed_number) - 1;
  row.Desc = link.desc;
  row.Direction = text;
  row.Distance = link.primary - previous_.primary;
  row.Time = link.secondary - previous_.secondary;
  row.TotalDist = link.primary;
  row.TotalTime = link.secondary;
  shapes_.push_back(std::move(shape));
  ++row_count_;
}

void RouteDirections::merge_into_last_row(const Link& link, host::HostGeometry* shape) {
  auto& row = shared_state().gDirections[row_count_ - 1];
  auto& last_shape = shapes_.back();
  // The row's line asks for the union, so the joined line keeps the row's direction of travel.
  last_shape = JoinLineGeometries(shape, last_shape.get());
  row.Distance += link.primary - previous_.primary;
  row.Time += link.secondary - previous_.secondary;
  row.TotalDist = link.primary;
  row.TotalTime = link.secondary;
}

} // namespace corvane
