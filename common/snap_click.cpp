#include "common/snap_click.h"

#include "common/handler_end.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/node_search.h"
#include "common/point_at.h"
#include "host/active_view.h"
#include "network/shared_state.h"

namespace corvane {

std::optional<SnappedClick> SnapClickToNetwork(host::HostDocument* document, host::HostMap* map,
                                               long x, long y) {
  auto& state = shared_state();
  const auto view = require(document->ActiveView(), "ActiveView");
  const auto transformation =
      require(require(view->ScreenDisplay(), "ScreenDisplay")->DisplayTransformation(),
              "DisplayTransformation");
  const auto point =
      require(transformation->ToMapPoint(static_cast<int>(x), static_cast<int>(y)), "ToMapPoint");
  point->SetSpatialReference(map->SpatialReference().get());
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(map).get());
  check_call(point->Project(reference.get()), "Project");
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
