#pragma once

#include <cstdint>
#include <string_view>

#include "host/geometry.h"
#include "host/map.h"
#include "network/state/shared_state.h"

namespace corvane {

// Places a marker of `kind` (see AddMarkerGraphic) at the engine's coordinates of `node`,
// moving `point` there (its spatial reference stays, so it must already be the network's).
// The coordinates are kept in single precision, and the marker stands exactly where the
// returned position says: a later RemoveMarkerGraphic at that position finds it.
MapPointSingle MarkNodePoint(std::int32_t node, host::HostPoint* point, host::HostMap* map,
                             std::string_view kind);

} // namespace corvane
