#pragma once

#include <cstdint>
#include <optional>

#include "com/unknown.h"
#include "host/application.h"
#include "host/document.h"
#include "host/geometry.h"
#include "routing/route_output.h"

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
class RouteClicks {
public:
  // The tool was chosen: a new route must start with a plain click.
  void reset() { route_started_ = false; }

  void mouse_down(host::HostApplication* application, host::HostDocument* document, long button,
                  long shift, long x, long y);

private:
  struct Stop {
    std::int32_t node = 0;
    com::ComPtr<host::HostPoint> label_point;
  };

  std::optional<Stop> snap_click(host::HostDocument* document, long x, long y);
  void start(host::HostDocument* document, const Stop& stop);
  void add_via(host::HostDocument* document, const Stop& stop);
  void finish(host::HostApplication* application, host::HostDocument* document, const Stop& stop);
  bool refuse_stop(const Stop& stop);

  bool route_started_ = false;
  // Whether the map showed "ViewRoute" when the route was started: its layer is then not added
  // again.
  bool view_route_shown_ = false;
};

} // namespace corvane
