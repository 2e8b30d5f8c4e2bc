#include "routing/routefinal.h"

#include "common/layer_lookup.h"
#include "network/state/shared_state.h"

namespace corvane {

Routefinal::Routefinal()
    : StopClickTool({.Caption = "Route",
                     .Name = "RouteFinal",
                     .Tooltip = "Route",
                     .Message = "Calculates Shortest/Fastest Route",
                     .BitmapId = 7001}) {}

bool Routefinal::enabled() {
  if (!network_loaded())
    return false;
  auto& state = shared_state();
  const auto map = focus_map();
  if (FindLayerIndex(map.get(), state.gNetworkLayerName, "L") != NoLayer)
    return true;
  // Without its layer no route can be drawn: the network is closed as if by CloseNetwork.
  if (network_loaded()) {
    state.gNetworkState = NetworkClosed;
    state.gNetBase->Unload();
  }
  return false;
}

} // namespace corvane
