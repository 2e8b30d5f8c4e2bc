#include "network/close_network.h"

#include "network/network_closing.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

CloseNetwork::CloseNetwork()
    : CommandBase({.Caption = "CloseNetwork",
                   .Name = "CloseNetwork",
                   .Tooltip = "CloseNetwork",
                   .Message = "Closes the current Network",
                   .BitmapId = 7047}) {
  CreateSharedEnginePair();
}

CloseNetwork::~CloseNetwork() {
  ReleaseSharedEngine();
}

void CloseNetwork::click() {
  CloseLoadedNetwork();
}

void CloseNetwork::created() {
  focus_map_ = focus_map();
  shared_state().gDocument = application()->Document();
}

} // namespace corvane
