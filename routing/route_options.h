#pragma once

#include "command/command_base.h"

namespace corvane {

// Sets the route type and the directions options.
class RouteOptions final : public CommandBase<> {
public:
  RouteOptions();

protected:
  // Runs the network pre-check, offers the network layer's text fields as description fields
  // (warning when there is none, or when the confirmed one has gone) and shows Routeoptpro.
  void click() override;
};

} // namespace corvane
