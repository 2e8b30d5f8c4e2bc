#pragma once

#include <cstdint>
#include <string>

#include "host/active_view.h"
#include "host/map.h"
#include "host/spatial_reference.h"
#include "network/state/bounded_table.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {

// One stop of the gazetteer, as placed on the network.
struct GazzPOINT {
  std::int32_t GazzOldPos = 0; // position (from 1) in the order the user chose
  std::int32_t GazzNewPos = 0; // the stop index at this tour position, after a solved tour
  std::string GazzFldVal;      // the stop's label text
  std::int32_t GazzNodNum = 0; // the network node it snapped to
};

// The stops of one gazetteer run, rows 0 .. gGazetteerStopCount - 1 in the chosen order.
using GazetteerStops = BoundedTable<GazzPOINT>;

// Where the stops' labels go: the focus map, its view and the network layer's coordinate system
// (labels stand on the network nodes).
struct LabelPlace {
  host::HostMap* map = nullptr;
  host::HostActiveView* view = nullptr;
  host::HostSpatialReference* reference = nullptr;
};

// Snaps the stops gGazetteerStops rows 1 .. n to the network and hands them to the engine as the
// tour's stops 1 .. n: gGazetteerStopPoints and `stops` get rows 0 .. n - 1, gStopNodes the
// nodes, gRouteStopCount n - 1 (the last stop's row). In the route mode every stop is labelled
// with its position; in the optimised mode only the start, because the tour decides the rest.
// False when the engine finds no node for a stop (the user has been told).
bool PlaceGazetteerStops(tamix::NetBase& base, tamix::NetCalc& calc, const LabelPlace& place,
                         GazetteerStops& stops);

// The optimised mode's visiting order. Up to three stops keep the chosen order (a round trip
// adds the way back to the start); more are ordered by the engine's tour in gTspMode, and
// gStopNodes then holds the stops in visiting order from the start (and the start again after a
// round trip). Labels mark each stop's position. False, after its message, when the engine
// cannot order them (SeparateSubnetResult: a stop in a separate part of the network).
bool OrderGazetteerTour(tamix::NetCalc& calc, const LabelPlace& place, GazetteerStops& stops);

} // namespace corvane
