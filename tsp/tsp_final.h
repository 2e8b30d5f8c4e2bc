#pragma once

#include "common/stop_click_tool.h"
#include "tsp/tour_clicks.h"

namespace corvane {

// Map tool: the best order to visit the clicked stops.
class TspFinal final : public StopClickTool<TourClicks> {
public:
  TspFinal();

protected:
  // Also the one place that learns whether the host has an edit session open: every query
  // refreshes gEditSessionActive from the host's editor.
  bool enabled() override;
};

} // namespace corvane
