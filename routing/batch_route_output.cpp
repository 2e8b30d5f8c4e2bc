#include "routing/batch_route_output.h"

#include <string>

#include "common/handler_end.h"
#include "common/remove_from_map.h"
#include "common/show_message.h"
#include "host/active_view.h"
#include "host/fields.h"
#include "host/spatial_reference.h"
#include "host/workspace.h"
#include "network/shared_state.h"
#include "routing/route_output.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

void RemoveBatchRouteOutput(host::HostMap* map) {
  remove_layers(map, BatchRouteName, "L");
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(map), "Map as ActiveView")->Refresh();
  remove_tables(map, BatchRouteName);
}

void hide_id_and_shape(com::IUnknown* layer_or_table, host::HostFields* fields) {
  const auto display =
      require_as<host::HostLayerFields>(com::ComPtr<com::IUnknown>(layer_or_table), "LayerFields");
  for (int i = 0; i < fields->FieldCount(); ++i) {
    const int type = require(fields->Field(i), "Fields.Field")->Type();
    if (type == host::field_oid || type == host::field_geometry)
      display->SetFieldVisible(i, false);
  }
}

com::ComPtr<host::HostFeatureLayer> add_batch_route_layer(host::HostMap* map) {
  const auto shapes =
      win::join_path(shared_state().gNetworkFolder, std::string(BatchRouteName) + ".shp");
  if (!win::FileSystemObject().FileExists(shapes))
    return nullptr;
  const auto workspace = OpenNetworkWorkspace();
  com::ComPtr<host::HostFeatureClass> routes;
  check_call(workspace->OpenFeatureClass(std::string(BatchRouteName), &routes), "OpenFeatureClass");
  const auto layer = LayerOver(require(routes, "OpenFeatureClass"));
  check_call(map->AddLayer(layer.get()), "Map.AddLayer");
  return layer;
}

bool copy_network_projection() {
  const auto& state = shared_state();
  const auto network_prj = win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".prj");
  if (!win::FileSystemObject().FileExists(network_prj)) {
    show_message(
        "The chosen polyline layer is missing projection information. Please use ArcCatalog to "
        "add this.",
        "PRJ", forms::Icon::Critical);
    return false;
  }
  const auto projection = create<host::HostProjectionFile>(host::ProjectionFileClass);
  check_call(projection->Read(network_prj), "ProjectionFile.Read");
  check_call(
      projection->Write(win::join_path(state.gNetworkFolder, std::string(BatchRouteName) + ".prj")),
      "ProjectionFile.Write");
  return true;
}

} // namespace corvane
