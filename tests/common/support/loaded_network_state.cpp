#include "support/loaded_network_state.h"

#include "network/state/shared_state.h"

namespace corvane::testing {

void SetLoadedNetworkState(const com::ComPtr<tamix::NetBase>& base,
                           const com::ComPtr<tamix::NetCalc>& calc, const std::string& folder) {
  auto& state = shared_state();
  state.gNetBase = base;
  state.gNetCalc = calc;
  state.gNetworkFolder = folder;
  state.gNetworkLayerName = "roads";
  state.gNetworkState = NetworkLoaded;
  state.gRouteType = RouteShortest;
  state.gDistUnits = "Kilometers";
  state.gRoadClassCount = 1;
  state.gRoadClassSpeeds[0] = {.SpeedKmph = 30, .SpeedMph = 18.64F, .ClassValue = 1, .Alias = ""};
}

} // namespace corvane::testing
