#include "network/rout_clr.h"

#include "network/route_colour.h"

namespace corvane {

RoutClr::RoutClr()
    : CommandBase({.Caption = "Route Color",
                   .Name = "Route Color",
                   .Tooltip = "Route Color",
                   .Message = "Sets the various route color",
                   .BitmapId = 7061}) {}

void RoutClr::click() {
  ChooseRouteColour();
}

} // namespace corvane
