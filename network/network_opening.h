#pragma once

#include "host/document.h"
#include "tamix/net_base.h"

namespace corvane {

// The CreateNetwork command's click: lets the user choose a polyline shapefile layer of the
// focus map, decides whether the engine's network files in its folder can be loaded as they
// are or must be rebuilt (NetworkCreate), loads them into `tantest` with the NLoad window and
// fills the shared state from "Corvane.ini" and "link.spd". Rebuild when, tested in this order:
// a network or settings file is missing; [INFO] "SHAPE FILE" names another shapefile; the
// shapefile was saved more than a minute after "Corvane.ini"; "ATTRIBUTE FLAG" is 0 and
// "attribute.bin" is missing; the user answers Yes to the units question; "RECORD NO" is not
// the feature count. Every outcome is shown in a message box; a failing host call or a table
// row beyond its bound ends the handler, keeping the state set so far.
void OpenNetwork(host::HostDocument* document, const com::ComPtr<tamix::NetBase>& tantest);

} // namespace corvane
