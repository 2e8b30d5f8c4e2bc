#pragma once

#include <cstdint>
#include <optional>

#include "common/stop_clicks.h"
#include "host/application.h"
#include "host/document.h"

namespace corvane {

// The TSP tool's clicks. Every mouse-down runs the network pre-check and snaps the click to the
// nearest network node. Then, for the left button only:
//   plain click   a new tour: the labels and stop markers of the last tour (and the route
//                 tool's labels) and the "Route" output go, the node becomes the start
//                 ("Start");
//   Ctrl+click    a stop, marked with a star;
//   Shift+click   the last stop, then the stops are put in the best visiting order of gTspMode,
//                 numbered in that order, and the tour's legs are routed and written to
//                 "Route.shp" and "ViewRoute.shp", drawn and reported.
// Ctrl and Shift refuse without an open tour ("Specify start point"), on a node that is already
// a stop ("Same location selected") and beyond the most stops a tour takes. The stops stay in
// gTourStops / gStopNodes / gMultiStopCount until the next plain click or result clearing.
class TourClicks final : public StopClicks {
private:
  // Directions naming a field the network layer lost are switched off, and the tour goes on
  // without them.
  std::optional<SnappedClick> snap(host::HostDocument* document, long x, long y) override;
  void start(host::HostDocument* document, const SnappedClick& stop) override;
  void add_stop(host::HostDocument* document, const SnappedClick& stop) override;
  void finish(host::HostApplication* application, host::HostDocument* document,
              const SnappedClick& stop) override;
  // True, after its message, when `stop` may not join the tour as stop number `count`.
  bool refuse_stop(const SnappedClick& stop, std::int32_t count);
  void remove_stop_markers(host::HostDocument* document);

  // Whether the map showed "ViewRoute" when the tour was started: the tour's shapes are then
  // added to those it shows, and its layer is not added again.
  bool view_route_shown_ = false;
  // The rows of gTourStops this tool wrote for its last tour: only their markers are its own
  // (after a round trip gMultiStopCount counts the return to the start as well).
  std::int32_t placed_stops_ = 0;
};

} // namespace corvane
