#include "routing/batch_route_output.h"

#include <string>

#include "common/feature_copies.h"
#include "common/remove_from_map.h"
#include "host/active_view.h"
#include "host/fields.h"
#include "host/workspace.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "routing/route_output.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

void RemoveBatchRouteOutput(host::HostMap* map) {
  remove_layers(map, BatchRouteOutput, "L");
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(map), "Map as ActiveView")->Refresh();
  remove_tables(map, BatchRouteOutput);
}

void hide_id_and_shape(com::IUnknown* layer_or_table, host::HostFields* fields) {
  const auto display =
      require_as<host::HostLayerFields>(com::ComPtr<com::IUnknown>(layer_or_table), "LayerFields");
  for (int i = 0; i < fields->FieldCount(); ++i) {
    if (IsIdOrShape(*require(fields->Field(i), "Fields.Field")))
      display->SetFieldVisible(i, false);
  }
}

com::ComPtr<host::HostFeatureLayer> add_batch_route_layer(host::HostMap* map) {
  const auto shapes =
      win::join_path(shared_state().gNetworkFolder, std::string(BatchRouteOutput) + ".shp");
  if (!win::FileSystemObject().FileExists(shapes))
    return nullptr;
  return ShowFeatureClass(map, open_feature_class(OpenNetworkWorkspace().get(), BatchRouteOutput));
}

} // namespace corvane
