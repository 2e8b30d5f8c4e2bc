#include "common/network_layer.h"

#include "common/handler_end.h"
#include "common/layer_lookup.h"
#include "network/shared_state.h"

namespace corvane {

com::ComPtr<host::HostFeatureLayer> NetworkLayer(host::HostMap* map) {
  const auto index = FindLayerIndex(map, shared_state().gNetworkLayerName, "L");
  if (index == NoLayer)
    throw HandlerEnd("network layer not in the map");
  return require_as<host::HostFeatureLayer>(map->Layer(index), "network layer");
}

} // namespace corvane
