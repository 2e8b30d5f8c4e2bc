#include "routing/route_options.h"

namespace corvane {

RouteOptions::RouteOptions()
    : CommandBase({.Caption = "Route Options",
                   .Name = "Routes",
                   .Tooltip = "Route Options",
                   .Message = "Sets the various route options",
                   .BitmapId = 7001}) {}

} // namespace corvane
