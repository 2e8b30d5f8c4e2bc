#pragma once

#include "command/command_base.h"

namespace corvane {

// Finds nodes that lie closer together than a distance the user gives, as the point layer
// "closenodes" of the network folder drawn by whether a link joins each to a close neighbour.
class CloseNode final : public CommandBase<> {
public:
  CloseNode();

private:
  void click() override;
  // Draws the map's first layer (the new "closenodes") by its "Connected" values.
  void ApplyCloseNodeRenderer();
};

} // namespace corvane
