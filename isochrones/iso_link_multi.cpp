#include "isochrones/iso_link_multi.h"

#include "network/shared_state.h"

namespace corvane {

IsoLinkMulti::IsoLinkMulti()
    : ToolBase({.Caption = "Multi Centered Isochrone",
                .Name = "LinkIsochrone",
                .Tooltip = "Multi-Centre Link Isochrones",
                .Message = "Calculates Multi-Centre Link Isochrones",
                .BitmapId = 7009}) {}

bool IsoLinkMulti::enabled() {
  if (network_loaded())
    return true;
  shared_state().gCentreSetOpen = 0;
  return false;
}

} // namespace corvane
