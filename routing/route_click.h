#pragma once

#include <optional>

#include "common/stop_clicks.h"
#include "host/application.h"
#include "host/document.h"

namespace corvane {

// The route tool's clicks. Every mouse-down runs the network pre-check and snaps the click to
// the nearest network node. Then, for the left button only:
//   plain click   a new route: earlier stops, labels and route output are cleared, the node
//                 becomes the start ("Start");
//   Ctrl+click    a via stop, labelled with its stop number (the first via stop is 2);
//   Shift+click   the end stop ("End"), then the route through all stops in click order is
//                 computed, written to "Route.shp" and "ViewRoute.shp", drawn and reported.
// Ctrl and Shift refuse without a started route ("Specify start point") and on the node of the
// last stop ("Same location selected"). The stops stay in gStopNodes / gRouteStopCount until the
// next plain click or result clearing.
class RouteClicks final : public StopClicks {
private:
  std::optional<SnappedClick> snap(host::HostDocument* document, long x, long y) override;
  void start(host::HostDocument* document, const SnappedClick& stop) override;
  // A via stop.
  void add_stop(host::HostDocument* document, const SnappedClick& stop) override;
  void finish(host::HostApplication* application, host::HostDocument* document,
              const SnappedClick& stop) override;
  bool refuse_stop(const SnappedClick& stop);

  // Whether the map showed "ViewRoute" when the route was started: its layer is then not added
  // again.
  bool view_route_shown_ = false;
};

} // namespace corvane
