#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/table.h"
#include "network/state/bounded_table.h"
#include "routing/gazetteer_stops.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {

// One point of the tour over a point layer, as placed on the network.
struct TSPPOINT {
  std::int32_t OldPos = 0; // the point's position in the layer (its object id)
  std::int32_t NewPos = 0; // the engine's stop index (from 1) at this tour position
  std::string FldVal;      // the point's label text
  std::int32_t NodNum = 0; // the network node it snapped to
};

// The points of one run, rows 0 .. count + 1 (the last two stay empty).
using TourPoints = BoundedTable<TSPPOINT>;

// Reads the points of `features` by object id 0 .. count - 1, each labelled with the text of
// field `label_field` or, without one, with its object id, snaps them to the network and hands
// them to the engine as stops 1 .. count: gTourStops, gTspTablePoints, gStopNodes and `points`
// get rows 0 .. count - 1 and gMultiStopCount the last row. The first point is labelled with
// its text over "(Start)".
//
// False when a point has no shape: after "Corrupt data found" the start label of this run is
// deleted and the settings file stamped (what the run placed before stays as the stop lists
// say).
bool PlaceTablePoints(host::HostFeatureClass& features, std::optional<int> label_field,
                      std::int32_t count, tamix::NetBase& base, tamix::NetCalc& calc,
                      const LabelPlace& place, TourPoints& points);

// The visiting order of the placed points, as the TSP tool's (OrderTourStops) but labelled with
// the points' texts: two or three points keep the layer's order (" 1" under the middle one,
// " (End)" under the last; a round trip of three returns to the start), more follow the
// engine's tour in gTspMode, each point marked " (p)" with its tour position p, the last of an
// open tour "(End)". Two points at one node are both labelled at every position of that node.
// False, after "Nodes found in subnet" (or the engine's error text), when the engine cannot order
// them; the start label is then deleted.
bool OrderTableTour(tamix::NetCalc& calc, const LabelPlace& place, TourPoints& points);

} // namespace corvane
