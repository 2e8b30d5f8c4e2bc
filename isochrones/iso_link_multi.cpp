#include "isochrones/iso_link_multi.h"

#include "isochrones/centre_set.h"
#include "network/shared_state.h"

namespace corvane {

IsoLinkMulti::IsoLinkMulti()
    : ToolBase({.Caption = "Multi Centered Isochrone",
                .Name = "LinkIsochrone",
                .Tooltip = "Multi-Centre Link Isochrones",
                .Message = "Calculates Multi-Centre Link Isochrones",
                .BitmapId = 7009}) {}

bool IsoLinkMulti::enabled() {
  return network_loaded_or_drop_centres(shared_state().gCentreSetOpen);
}

} // namespace corvane
