#pragma once

#include "command/command_base.h"
#include "routing/route_click.h"

namespace corvane {

// Map tool: the shortest or fastest route through the clicked stops.
class Routefinal final : public ToolBase {
public:
  Routefinal();

protected:
  // Needs the network layer in the map as well; a network whose layer has gone is unloaded.
  bool enabled() override;
  void click() override { clicks_.reset(); }
  void mouse_down(long button, long shift, long x, long y) override;

private:
  RouteClicks clicks_;
};

} // namespace corvane
