#pragma once

#include "routing/gazetteer_stops.h"
#include "tamix/net_calc.h"

namespace corvane {

// The TSP tool's visiting order of the stops it placed: gTourStops rows 0 .. n and gStopNodes
// rows 0 .. n in click order, n = gMultiStopCount, the start a "Start" label, the others star
// markers but the last stop of a start-end tour, which reads "End". On return gStopNodes rows
// 0 .. gMultiStopCount hold the stops in visiting order, a round trip's return to the start
// included (gMultiStopCount then grows by one).
//
// Two or three stops keep the click order: the via stop reads "1", the last "End" (a second one
// in a start-end tour), and a round trip of three stops returns to the start (of two stops, it
// does not). More stops are ordered by the engine's tour in gTspMode and numbered in visiting
// order from "2" (the start keeps "Start"), the last one of a tour from the start only reading
// "End". Every numbered stop loses its star marker.
//
// False, after its message, when the engine cannot order the stops: the star markers of the
// via stops and the "Start" and "End" labels are removed, the stop lists stay.
bool OrderTourStops(tamix::NetCalc& calc, const LabelPlace& place);

} // namespace corvane
