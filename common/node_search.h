#pragma once

#include <cstdint>
#include <optional>

#include "tamix/net_base.h"

namespace corvane {

// The check after every engine call that finds the network node of a click or a point
// (CreateNodeIndex, SnapToNetwork, FindNearestNode): true for success; otherwise the user is
// told "The nearest network node could not be found: Error = " with the engine's error text,
// so that no stop or centre is ever taken from a node the engine did not give.
bool NodeSearchSucceeded(std::int32_t code);

// The node nearest to (x, y), in the network layer's coordinates, as the click tools find it:
// the engine's node index is made first when it has none, then the point is snapped. Each
// engine code goes to `result` (the caller's gEngineResult or gCallResult). Nothing when the
// engine refused; the user has been told.
std::optional<std::int32_t> SnapToNetworkNode(tamix::NetBase& base, double x, double y,
                                              std::int32_t& result);

} // namespace corvane
