#pragma once

#include <cstdint>
#include <string>

#include "com/unknown.h"
#include "host/geometry.h"
#include "routing/gazetteer_stops.h"

namespace corvane {

// Where stop row `row` of gTourStops lies, in the network layer's coordinates.
com::ComPtr<host::HostPoint> TourStopPoint(const LabelPlace& place, std::int32_t row);

// Labels stop row `row` of gTourStops with `text` and refreshes the view.
void LabelTourStop(const LabelPlace& place, std::int32_t row, const std::string& text);

// Takes away the star markers of gTourStops rows 1 .. `last` (the view is not refreshed).
void RemoveTourStopMarkers(const LabelPlace& place, std::int32_t last);

} // namespace corvane
