#include "routing/batch_route_layers.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "common/handler_end.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/workspace.h"
#include "network/shared_state.h"

namespace corvane {

namespace {

// The data-source type starts with "Shapefile", in any letter case.
bool is_shapefile(const std::string& data_source_type) {
  constexpr std::string_view shapefile = "SHAPEFILE";
  if (data_source_type.size() < shapefile.size())
    return false;
  return std::equal(shapefile.begin(), shapefile.end(), data_source_type.begin(),
                    [](char wanted, char given) {
                      return wanted == std::toupper(static_cast<unsigned char>(given));
                    });
}

} // namespace

std::string workspace_folder(const com::ComPtr<host::HostFeatureClass>& feature_class) {
  const auto dataset = require_as<host::HostDataset>(feature_class, "FeatureClass as Dataset");
  return require(dataset->Workspace(), "Dataset.Workspace")->PathName();
}

int list_point_layers(host::HostMap& map, forms::ComboBox& from_tables,
                      forms::ComboBox& to_tables) {
  auto& layers = shared_state().gLayerList;
  int offered = 0;
  const int count = map.LayerCount();
  for (int position = 0; position < count && offered <= layers.upper(); ++position) {
    const auto layer = require(map.Layer(position), "Map.Layer").as<host::HostFeatureLayer>();
    if (!layer || !is_shapefile(layer->DataSourceType()))
      continue;
    const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
    if (features->ShapeType() != host::geometry_point)
      continue;
    layers[offered] = {.Name = layer->Name(),
                       .Folder = workspace_folder(features),
                       .ListIndex = offered,
                       .MapIndex = position};
    from_tables.AddItem(layers[offered].Name);
    to_tables.AddItem(layers[offered].Name);
    ++offered;
  }
  if (offered > 0) {
    from_tables.SetText(layers[0].Name);
    to_tables.SetText(layers[0].Name);
  }
  return offered;
}

} // namespace corvane
