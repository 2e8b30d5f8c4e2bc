#pragma once

#include "common/stop_click_tool.h"
#include "routing/route_click.h"

namespace corvane {

// Map tool: the shortest or fastest route through the clicked stops.
class Routefinal final : public StopClickTool<RouteClicks> {
public:
  Routefinal();

protected:
  // Needs the network layer in the map as well; a network whose layer has gone is unloaded.
  bool enabled() override;
};

} // namespace corvane
