#pragma once

#include "tamix/net_calc.h"

namespace corvane {

// Sends the zone list to the engine as its breaks: gZoneValues 1 .. gZoneCount, the old ones
// cleared. The engine keeps them for every later run until they are sent again.
void SendZoneBreaks(tamix::NetCalc& calc);

} // namespace corvane
