#pragma once

#include "command/command_base.h"
#include "tsp/tour_clicks.h"

namespace corvane {

// Map tool: the best order to visit the clicked stops.
class TspFinal final : public ToolBase {
public:
  TspFinal();

protected:
  // Also the one place that learns whether the host has an edit session open: every query
  // refreshes gEditSessionActive from the host's editor.
  bool enabled() override;
  void click() override { clicks_.reset(); }
  void mouse_down(long button, long shift, long x, long y) override;

private:
  TourClicks clicks_;
};

} // namespace corvane
