#pragma once

namespace corvane {

// The RoutClr command's click: after the pre-check (edit session, settings file, shapefile
// saved after the settings; the network layer need not be on the map), shows the route colour
// dialog modally.
void ChooseRouteColour();

} // namespace corvane
