#pragma once

#include <cstdint>
#include <vector>

#include "tamix/net_calc.h"

namespace corvane {

// Sends `nodes` to the engine as its stops 1 .. n, in order, each answer into gEngineResult.
// Returns n, the stop count the engine's next write takes.
std::int32_t SendStops(tamix::NetCalc& calc, const std::vector<std::int32_t>& nodes);

} // namespace corvane
