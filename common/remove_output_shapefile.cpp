#include "common/remove_output_shapefile.h"

#include "common/layer_lookup.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/remove_from_map.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

void RemoveOutputShapefile(host::HostMap* map, host::HostActiveView* view, std::string_view name) {
  RequireOwnOrNoSet(name);
  remove_layers(map, name, "L");
  view->Refresh();
  DeleteOwnNetworkShapefile(name);
}

void RemovePointOutput(host::HostMap* map, host::HostActiveView* view, std::string_view name) {
  RequireOwnOrNoSet(name);
  remove_layers(map, name, "PT");
  view->Refresh();
  DeleteOwnNetworkShapefile(name);
}

void RemovePolygonOutput(host::HostMap* map, std::string_view name) {
  RequireOwnOrNoSet(name);
  remove_layers(map, name, "PG");
  DeleteOwnNetworkShapefile(name);
}

void MoveNetworkLayerToTop(host::HostMap* map) {
  const auto index = FindLayerIndex(map, shared_state().gNetworkLayerName, "L");
  check_call(map->MoveLayer(require(map->Layer(index), "network layer").get(), 0), "Map.MoveLayer");
}

} // namespace corvane
