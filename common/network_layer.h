#pragma once

#include "com/unknown.h"
#include "host/layer.h"
#include "host/map.h"

namespace corvane {

// The network layer in the map (FindLayerIndex of gNetworkLayerName, polylines). Callers have
// run the pre-check's layer test; a map without the layer ends the handler.
com::ComPtr<host::HostFeatureLayer> NetworkLayer(host::HostMap* map);

} // namespace corvane
