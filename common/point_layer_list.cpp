#include "common/point_layer_list.h"

#include "common/layer_source.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

int list_point_layers(host::HostMap& map, std::initializer_list<forms::ComboBox*> boxes) {
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
    for (auto* box : boxes)
      box->AddItem(layers[offered].Name);
    ++offered;
  }
  if (offered > 0)
    for (auto* box : boxes)
      box->SetText(layers[0].Name);
  return offered;
}

} // namespace corvane
