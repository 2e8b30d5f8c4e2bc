#pragma once

#include "addin/command_base.h"

namespace corvane {

// Sets the route type and the directions options.
class RouteOptions final : public CommandBase<> {
public:
  RouteOptions();
};

} // namespace corvane
