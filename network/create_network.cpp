#include "network/create_network.h"

#include "network/network_opening.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

CreateNetwork::CreateNetwork()
    : CommandBase({.Caption = "Create Network",
                   .Name = "CreateNetwork",
                   .Tooltip = "Create Network",
                   .Message = "Creates/Loads the Network for the specified polyline layer",
                   .BitmapId = 7048}) {}

bool CreateNetwork::enabled() {
  const bool loaded = network_loaded(engine_.tantest().get());
  const auto state = shared_state().gNetworkState;
  return state == NetworkNeverLoaded || state == NetworkClosed || !loaded;
}

void CreateNetwork::click() {
  OpenNetwork(require(document(), "Document").get(), engine_.tantest());
}

} // namespace corvane
