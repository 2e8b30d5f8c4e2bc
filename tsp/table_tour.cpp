#include "tsp/table_tour.h"

#include <string>

#include "common/elements_at_point.h"
#include "common/engine_error_text.h"
#include "common/finite_point.h"
#include "common/node_search.h"
#include "common/order_tour.h"
#include "common/point_at.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/stop_label_sweep.h"
#include "common/tour_mode.h"
#include "host/geometry.h"
#include "host/row.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/gazetteer_labels.h"
#include "tsp/tour_stop_marks.h"

namespace corvane {

namespace {

com::ComPtr<host::HostPoint> at_point(const LabelPlace& place, double x, double y) {
  return point_at(x, y, place.reference);
}

void delete_label_at(const LabelPlace& place, std::int32_t row) {
  const auto& at = shared_state().gTspTablePoints[row];
  DeleteElementsAt(place.map, at_point(place, at.X, at.Y).get());
}

std::string label_text(host::HostFeature& feature, std::optional<int> label_field,
                       std::int32_t id) {
  if (!label_field)
    return std::to_string(id);
  return feature.Value(*label_field).to_string().value_or("");
}

std::string tour_mark(std::int32_t position, std::int32_t last, TspMode tsp_mode) {
  if (position == last && !IsRoundTrip(tsp_mode))
    return "(End)";
  return " (" + std::to_string(position) + ")";
}

// The command places no markers of its own; at the numbered points it takes away those of an
// earlier tour of the TSP tool, as the TSP tool does itself.
class TablePointMarks final : public TourMarks {
public:
  TablePointMarks(const LabelPlace& place, TourPoints& points) : place_(place), points_(points) {}

  std::int32_t node_of(std::int32_t row) const override {
    return shared_state().gTourStops[row].Node;
  }

  void mark_in_chosen_order(std::int32_t row, std::int32_t last) override {
    RemoveMarkerGraphic(place_.map, TourStopPoint(place_, row).get());
    LabelTourStop(place_, row, ShortTourStopLabel(points_[row].FldVal, row, last, last + 1));
  }

  void tour_failed(float result) override {
    RemoveTourStopMarkers(place_, shared_state().gMultiStopCount);
    if (result == SeparateSubnetResult)
      show_message("Nodes found in subnet", "Batch TSP", forms::Icon::Exclamation);
    else
      show_message(EngineErrorText(static_cast<std::int32_t>(result)), "Batch TSP",
                   forms::Icon::Critical);
    delete_label_at(place_, 0);
  }

  void tour_solved() override {
    const auto& state = shared_state();
    const std::int32_t last = state.gMultiStopCount;
    RemoveTourStopMarkers(place_, IsStartEndTour(state.gTspMode) ? last - 1 : last);
    place_.view->Refresh();
  }

  void position_read(tamix::NetCalc& calc, std::int32_t position) override {
    points_[position].NewPos = calc.GetTourOrder(position + 1);
  }

  // The start keeps "(Start)" unless another point shares its node.
  void mark_at_position(std::int32_t row, std::int32_t position, std::int32_t last) override {
    LabelTourStop(
        place_, row,
        MarkedStopLabel(points_[row].FldVal, tour_mark(position, last, shared_state().gTspMode)));
  }

private:
  const LabelPlace& place_;
  TourPoints& points_;
};

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
  TablePointMarks marks(place, points);
  return OrderTour(calc, shared_state().gMultiStopCount, marks);
}

} // namespace corvane
