#include "maintenance/open_link.h"

#include "network/shared_state.h"

namespace corvane {

OpenLink::OpenLink()
    : ToolBase({.Caption = "Open Road",
                .Name = "Open Road",
                .Tooltip = "Open Road",
                .Message = "Open the Closed Road(s)",
                .BitmapId = 7035}) {}

bool OpenLink::enabled() {
  return network_loaded() && shared_state().gClosedLinkCount > 0;
}

} // namespace corvane
