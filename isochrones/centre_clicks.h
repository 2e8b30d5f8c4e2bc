#pragma once

#include <cstdint>
#include <vector>

#include "host/geometry.h"
#include "host/map.h"

namespace corvane {

// The centre list of the polygon tools with several centres (gStopNodes, gMultiStopCount) and
// the labels on their nodes (gMarkerLabels, gMarkerCount): "1" for the first centre, then the
// number after one blank (" 2", " 3", ...). `click` is in the network's coordinates.

// A new list holding the centre of the click alone.
void StartCentreList(host::HostMap& map, host::HostPoint& click);

// One more centre at the end of the list. The last centre's label row is not counted, so that
// the next plain click's sweep (which reaches one row past the count) still finds it. A centre
// past the lists' limits is not added (the user is told): false then.
bool AddCentre(host::HostMap& map, host::HostPoint& click, bool last);

// The nodes of the centres in the list, first to last: the stops of a run from all of them.
std::vector<std::int32_t> CentreListNodes();

} // namespace corvane
