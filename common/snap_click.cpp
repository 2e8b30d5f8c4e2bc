#include "common/snap_click.h"

#include "common/click_point.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/node_search.h"
#include "common/point_at.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

std::optional<SnappedClick> SnapClickToNetwork(host::HostDocument* document, host::HostMap* map,
                                               long x, long y) {
  auto& state = shared_state();
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(map).get());
  const auto point = ClickInNetworkCoordinates(document, map, reference.get(), x, y);
  auto& base = *require(state.gNetBase, "NetBase");
  const auto node = SnapToNetworkNode(base, point->X(), point->Y(), state.gEngineResult);
  if (!node)
    return std::nullopt;
  SnappedClick snapped;
  snapped.node = *node;
  snapped.x = base.GetNodeX(snapped.node);
  snapped.y = base.GetNodeY(snapped.node);
  snapped.node_point = point_at(snapped.x, snapped.y, reference.get());
  return snapped;
}

} // namespace corvane
