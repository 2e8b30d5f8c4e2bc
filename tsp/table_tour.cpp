#include "tsp/table_tour.h"

#include <string>

#include "common/elements_at_point.h"
#include "common/engine_error_text.h"
#include "common/finite_point.h"
#include "common/handler_end.h"
#include "common/node_search.h"
#include "common/point_at.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/stop_label_sweep.h"
#include "common/tour_mode.h"
#include "host/geometry.h"
#include "host/row.h"
#include "network/shared_state.h"
#include "routing/gazetteer_labels.h"

namespace corvane {

namespace {

constexpr float SeparateSubnet = -38.0F;

com::ComPtr<host::HostPoint> at_point(const LabelPlace& place, double x, double y) {
  return point_at(x, y, place.reference);
}

com::ComPtr<host::HostPoint> stop_point(const LabelPlace& place, std::int32_t row) {
  const auto& stop = shared_state().gTourStops[row];
  return at_point(place, stop.X, stop.Y);
}

void label_stop(const LabelPlace& place, std::int32_t row, const std::string& text) {
  AddStopLabel(place.map, stop_point(place, row).get(), text);
  place.view->Refresh();
}

void delete_label_at(const LabelPlace& place, std::int32_t row) {
  const auto& at = shared_state().gTspTablePoints[row];
  DeleteElementsAt(place.map, at_point(place, at.X, at.Y).get());
}

// The command places no markers of its own; at the numbered points it takes away those of an
// earlier tour of the TSP tool, as the TSP tool does itself.
void remove_markers(const LabelPlace& place, std::int32_t last_row) {
  for (std::int32_t k = 1; k <= last_row; ++k)
    RemoveMarkerGraphic(place.map, stop_point(place, k).get());
}

std::string label_text(host::HostFeature& feature, std::optional<int> label_field,
                       std::int32_t id) {
  if (!label_field)
    return std::to_string(id);
  return feature.Value(*label_field).to_string().value_or("");
}

void keep_layer_order(tamix::NetCalc& calc, const LabelPlace& place, TourPoints& points) {
  auto& state = shared_state();
  auto& last = state.gMultiStopCount;
  const std::int32_t count = last + 1;
  for (std::int32_t k = 1; k <= last; ++k) {
    RemoveMarkerGraphic(place.map, stop_point(place, k).get());
    label_stop(place, k, ShortTourStopLabel(points[k].FldVal, k, last, count));
  }
  if (IsRoundTrip(state.gTspMode) && count == 3) {
    last = 3;
    state.gEngineResult = calc.SetStop(4, state.gStopNodes[0]);
    state.gStopNodes[3] = state.gStopNodes[0];
  }
}

std::string tour_mark(std::int32_t position, std::int32_t last, std::int32_t tsp_mode) {
  if (position == last && !IsRoundTrip(tsp_mode))
    return "(End)";
  return " (" + std::to_string(position) + ")";
}

bool follow_engine_tour(tamix::NetCalc& calc, const LabelPlace& place, TourPoints& points) {
  auto& state = shared_state();
  const std::int32_t mode = state.gTspMode;
  const std::int32_t n = state.gMultiStopCount + 1;
  const float result = calc.SolveTsp(n, static_cast<std::int16_t>(mode));
  if (result < 0) {
    remove_markers(place, state.gMultiStopCount);
    if (result == SeparateSubnet)
      show_message("Nodes found in subnet", "Batch TSP", forms::Icon::Exclamation);
    else
      show_message(EngineErrorText(static_cast<std::int32_t>(result)), "Batch TSP",
                   forms::Icon::Critical);
    delete_label_at(place, 0);
    return false;
  }
  remove_markers(place, IsStartEndTour(mode) ? n - 2 : n - 1);
  place.view->Refresh();
  for (std::int32_t p = 0; p < n; ++p) {
    state.gStopNodes[p] = calc.GetTourNode(p + 1);
    points[p].NewPos = calc.GetTourOrder(p + 1);
  }
  if (IsRoundTrip(mode)) {
    state.gMultiStopCount = n;
    state.gStopNodes[n] = calc.GetTourNode(1);
  }
  // Only the points of this run are matched (rows 1 .. n - 1): the start keeps "(Start)" unless
  // another point shares its node.
  const std::int32_t last = state.gMultiStopCount;
  for (std::int32_t p = 1; p <= last; ++p)
    for (std::int32_t j = 1; j < n; ++j) {
      if (state.gTourStops[j].Node != state.gStopNodes[p])
        continue;
      label_stop(place, j, MarkedStopLabel(points[j].FldVal, tour_mark(p, last, mode)));
    }
  return true;
}

} // namespace

bool PlaceTablePoints(host::HostFeatureClass& features, std::optional<int> label_field,
                      std::int32_t count, tamix::NetBase& base, tamix::NetCalc& calc,
                      const LabelPlace& place, TourPoints& points) {
  auto& state = shared_state();
  for (std::int32_t i = 0; i < count; ++i) {
    com::ComPtr<host::HostFeature> feature;
    check_call(features.GetFeature(i, &feature), "FeatureClass.GetFeature");
    require(feature, "FeatureClass.GetFeature");
    const auto shape = feature->ShapeCopy();
    if (!shape || shape->IsEmpty()) {
      show_message("Corrupt data found", "Corrupt data", forms::Icon::Critical);
      if (i > 0)
        delete_label_at(place, 0);
      StampNetworkEdited();
      return false;
    }
    const auto point = require_as<host::HostPoint>(shape, "Geometry as Point");
    if (!HasFiniteCoordinates(*point)) {
      show_message(NotFinitePointText(features.AliasName(), i), "Corrupt data",
                   forms::Icon::Critical);
      if (i > 0)
        delete_label_at(place, 0);
      StampNetworkEdited();
      return false;
    }
    check_call(shape->Project(place.reference), "Geometry.Project");
    const std::string label = label_text(*feature, label_field, i);

    const auto snapped = SnapToNetworkNode(base, point->X(), point->Y(), state.gEngineResult);
    if (!snapped) {
      if (i > 0)
        delete_label_at(place, 0);
      StampNetworkEdited();
      return false;
    }
    const std::int32_t node = *snapped;
    const double x = base.GetNodeX(node);
    const double y = base.GetNodeY(node);
    state.gTspTablePoints[i] = {x, y};
    state.gTourStops[i] = {.X = x, .Y = y, .Node = node};
    points[i] = {.OldPos = i, .NewPos = 0, .FldVal = label, .NodNum = node};
    state.gStopNodes[i] = node;
    state.gEngineResult = calc.SetStop(i + 1, node);
    state.gMultiStopCount = i;
    if (i == 0)
      AddStopLabel(place.map, at_point(place, x, y).get(), MarkedStopLabel(label, "(Start)"));
  }
  return true;
}

bool OrderTableTour(tamix::NetCalc& calc, const LabelPlace& place, TourPoints& points) {
  if (shared_state().gMultiStopCount <= 2) {
    keep_layer_order(calc, place, points);
    return true;
  }
  return follow_engine_tour(calc, place, points);
}

} // namespace corvane
