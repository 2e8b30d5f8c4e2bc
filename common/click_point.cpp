#include "common/click_point.h"

#include "common/node_search.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

com::ComPtr<host::HostPoint> ClickMapPoint(host::HostMap* map, host::HostActiveView* view, long x,
                                           long y) {
  const auto transformation =
      require(require(view->ScreenDisplay(), "ScreenDisplay")->DisplayTransformation(),
              "DisplayTransformation");
  const auto point =
      require(transformation->ToMapPoint(static_cast<int>(x), static_cast<int>(y)), "ToMapPoint");
  point->SetSpatialReference(map->SpatialReference().get());
  return point;
}

com::ComPtr<host::HostPoint> ClickInNetworkCoordinates(host::HostDocument* document,
                                                       host::HostMap* map,
                                                       host::HostSpatialReference* reference,
                                                       long x, long y) {
  const auto point = ClickMapPoint(map, require(document->ActiveView(), "ActiveView").get(), x, y);
  check_call(point->Project(reference), "Project");
  return point;
}

std::optional<std::int32_t> NearestNode(host::HostPoint& point) {
  auto& state = shared_state();
  std::int32_t node = 0;
  std::int32_t second = 0;
  state.gEngineResult =
      require(state.gNetBase, "NetBase")->FindNearestNode(point.X(), point.Y(), node, second);
  if (!NodeSearchSucceeded(state.gEngineResult))
    return std::nullopt;
  return node;
}

} // namespace corvane
