#pragma once

#include "tamix/net_base.h"

namespace corvane {

// The engine's answer to "is a network loaded" (NetBase.IsLoaded) on the given network object;
// no object means nothing is loaded. Every Enabled rule asks through here.
bool network_loaded(tamix::NetBase* net_base);
// The same question on the shared gNetBase.
bool network_loaded();

} // namespace corvane
