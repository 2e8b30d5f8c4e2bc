#include "common/mark_node_point.h"

#include "common/marker_graphic.h"
#include "network/state/handler_end.h"

namespace corvane {

MapPointSingle MarkNodePoint(std::int32_t node, host::HostPoint* point, host::HostMap* map,
                             std::string_view kind) {
  auto& base = *require(shared_state().gNetBase, "NetBase");
  const MapPointSingle at{static_cast<float>(base.GetNodeX(node)),
                          static_cast<float>(base.GetNodeY(node))};
  point->PutCoords(at.X, at.Y);
  AddMarkerGraphic(map, point, kind);
  return at;
}

} // namespace corvane
