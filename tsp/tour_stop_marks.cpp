#include "tsp/tour_stop_marks.h"

#include "common/elements_at_point.h"
#include "common/point_at.h"
#include "common/stop_label_sweep.h"
#include "network/state/shared_state.h"

namespace corvane {

com::ComPtr<host::HostPoint> TourStopPoint(const LabelPlace& place, std::int32_t row) {
  const auto& stop = shared_state().gTourStops[row];
  return point_at(stop.X, stop.Y, place.reference);
}

void LabelTourStop(const LabelPlace& place, std::int32_t row, const std::string& text) {
  AddStopLabel(place.map, TourStopPoint(place, row).get(), text);
  place.view->Refresh();
}

void RemoveTourStopMarkers(const LabelPlace& place, std::int32_t last) {
  for (std::int32_t k = 1; k <= last; ++k)
    RemoveMarkerGraphic(place.map, TourStopPoint(place, k).get());
}

} // namespace corvane
