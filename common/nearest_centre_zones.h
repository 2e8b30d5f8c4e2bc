#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/clip_layer.h"
#include "tamix/net_calc.h"

namespace corvane {

// The nearest-centre zones of the tool and of the batch: the engine divides the network area
// among `nodes` (stops 1 .. n) by the route type's cost and writes the zone of each as the
// shapefile `name` of the network folder, its stop number in "ID", cut to `extent`; the set gets
// the network's projection first. False, the user told and nothing written, when the network has
// no projection or the engine failed (ZonesWritten).
bool WriteNearestCentreZones(tamix::NetCalc& calc, const std::vector<std::int32_t>& nodes,
                             std::string_view name, const ClipExtent& extent);

} // namespace corvane
