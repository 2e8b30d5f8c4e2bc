#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "com/unknown.h"
#include "common/layer_lookup.h"
#include "common/network_workspace.h"
#include "common/write_route_shapefile.h"
#include "host/active_view.h"
#include "host/application.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/table.h"
#include "host/workspace.h"
#include "routing/route_directions.h"

namespace corvane {

// Opens the attribute table window of a route layer (its direction rows) over the map.
void OpenRouteTable(host::HostFeatureLayer* layer, host::HostApplication* application);

// Makes "ViewRoute.shp" empty, or makes it when it does not exist, so that it shows the coming
// route only.
// A "ViewRoute.shp" of the user's stays as it is and ends the handler.
void PrepareViewRoute(host::HostFeatureWorkspace* workspace, host::HostFeatureClass* network);

// What the route tool shows once a route is computed.
struct RouteResult {
  com::ComPtr<host::HostFeatureClass> route; // "Route", its features written
  float primary_total = 0;
  float secondary_total = 0;
  bool view_route_shown = false; // the map showed "ViewRoute" when the route was started
  // The layer to show "Route" in, made beforehand (the gazetteer hides fields in it); without
  // one a plain layer is made.
  com::ComPtr<host::HostFeatureLayer> route_layer;
  // The word after the time in the totals (the gazetteer writes "Minutes").
  std::string_view minute_word = "Minute";
  // The last stop, labelled "End" once the route is written and shown; none, no label.
  com::ComPtr<host::HostPoint> end_stop;
};

// Copies the route's shapes into "ViewRoute" (adding its layer unless the map shows it), adds
// the "Route" layer on top in the route colour and opens its table when directions are on.
void ShowRouteLayers(const RouteResult& result, host::HostMap* map, host::HostActiveView* view,
                     host::HostApplication* application);

// The end of a route tool's computation: writes the direction rows into "Route" (or, without
// directions, copies the network links that `marked` selects), shows the layers, labels the end
// stop, reports the totals and stamps the settings file.
void FinishRouteOutput(const RouteResult& result, const RouteDirections* directions,
                       host::HostFeatureClass* network, std::string_view marked, host::HostMap* map,
                       host::HostActiveView* view, host::HostApplication* application);

// Reports the totals in a message box and in the status bar; nothing for another route type.
void ReportRouteTotals(const RouteResult& result, host::HostApplication* application);

// The totals message of a route type and its title, or nothing for another route type:
// "Total Distance = D UNITS and Total Time= T Minute" (or `minute_word`), each total with at
// most seven significant digits and no trailing zeros.
struct TotalsMessage {
  std::string text;
  std::string title;
};
std::optional<TotalsMessage> RouteTotalsMessage(std::int32_t route_type, float primary_total,
                                                float secondary_total, const std::string& units,
                                                std::string_view minute_word = "Minute");

} // namespace corvane
