#include "common/remove_from_map.h"

#include "common/layer_lookup.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

void remove_layers(host::HostMap* map, std::string_view name, std::string_view kind) {
  for (auto position = FindLayerIndex(map, name, kind); position != NoLayer;
       position = FindLayerIndex(map, name, kind))
    check_call(map->DeleteLayer(require(map->Layer(position), "Map.Layer").get()),
               "Map.DeleteLayer");
}

void remove_tables(host::HostMap* map, std::string_view name) {
  const auto tables = require_as<host::HostStandaloneTableCollection>(
      com::ComPtr<host::HostMap>(map), "Map as StandaloneTableCollection");
  for (int index = tables->StandaloneTableCount() - 1; index >= 0; --index) {
    const auto table = require(tables->StandaloneTable(index), "StandaloneTable");
    if (table->Name() == name)
      check_call(tables->RemoveStandaloneTable(table.get()), "RemoveStandaloneTable");
  }
}

} // namespace corvane
