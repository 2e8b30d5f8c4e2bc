#include "network/network_closing.h"

#include "common/show_message.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {

void CreateSharedEnginePair() {
  auto& state = shared_state();
  state.gNetBase = create<tamix::NetBase>(tamix::NetBaseProgId);
  state.gNetCalc = create<tamix::NetCalc>(tamix::NetCalcProgId);
  state.gNetworkId = state.gNetBase->GetIdentifier();
  state.gCallResult = state.gNetCalc->SetNet(state.gNetworkId);
}

void CloseLoadedNetwork() {
  auto& state = shared_state();
  const auto net_base = require(state.gNetBase, "gNetBase");
  const bool loaded = net_base->IsLoaded();
  state.gDocument = nullptr;
  if (!loaded)
    return;
  net_base->Unload();
  state.gNetworkState = NetworkClosed;
  show_message("Network Closed Successfully", "Close Network", forms::Icon::Information);
}

bool ReleaseSharedEngine() noexcept {
  auto& state = shared_state();
  const bool loaded = state.gNetBase && state.gNetBase->IsLoaded();
  if (loaded) {
    state.gNetBase->Unload();
    state.gNetworkState = NetworkClosed;
  }
  state.gDocument = nullptr;
  state.gNetBase = nullptr;
  state.gNetCalc = nullptr;
  return loaded;
}

} // namespace corvane
