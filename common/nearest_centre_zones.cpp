#include "common/nearest_centre_zones.h"

#include <string>

#include "common/network_projection.h"
#include "common/send_stops.h"
#include "common/zone_polygon_output.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "win/paths.h"

namespace corvane {

bool WriteNearestCentreZones(tamix::NetCalc& calc, const std::vector<std::int32_t>& nodes,
                             std::string_view name, const ClipExtent& extent) {
  auto& state = shared_state();
  const std::int32_t stops = SendStops(calc, nodes);
  if (!CopyNetworkProjection({name}))
    return false;
  require(state.gNetBase, "NetBase")->SetOutputOption(tamix::ShapefileOutput);
  state.gEngineResult = calc.WriteNearestCentrePolygons(
      win::join_path(state.gNetworkFolder, std::string(name)), 0, 0, stops, extent.min_x,
      extent.min_y, extent.max_x, extent.max_y);
  return ZonesWritten(name);
}

} // namespace corvane
