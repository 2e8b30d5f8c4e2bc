#pragma once

#include "addin/command_base.h"

namespace corvane {

// Map tool: the shortest or fastest route through the clicked stops.
class Routefinal final : public ToolBase {
public:
  Routefinal();

protected:
  // Needs the network layer in the map as well; a network whose layer has gone is unloaded.
  bool enabled() override;
};

} // namespace corvane
