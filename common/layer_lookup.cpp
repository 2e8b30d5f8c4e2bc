#include "common/layer_lookup.h"

#include <functional>
#include <string>

#include "common/layer_source.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/table.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

bool shape_fits(int shape_type, std::string_view kind) {
  if (kind == "A")
    return true;
  if (kind == "L")
    return shape_type == host::geometry_polyline;
  if (kind == "PT")
    return shape_type == host::geometry_point;
  if (kind == "PG")
    return shape_type == host::geometry_polygon;
  return false;
}

using Candidate = std::function<bool(host::HostFeatureLayer& layer,
                                     const com::ComPtr<host::HostFeatureClass>& feature_class)>;

std::int32_t first_layer(host::HostMap* map, std::string_view kind, const Candidate& candidate) {
  const int count = map->LayerCount();
  for (int position = 0; position < count; ++position) {
    const auto layer = require(map->Layer(position), "Map.Layer").as<host::HostFeatureLayer>();
    if (!layer)
      continue;
    const auto feature_class = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
    if (candidate(*layer, feature_class) && shape_fits(feature_class->ShapeType(), kind))
      return position;
  }
  return NoLayer;
}

} // namespace

std::int32_t FindLayerIndex(host::HostMap* map, std::string_view name, std::string_view kind) {
  const std::string& folder = shared_state().gNetworkFolder;
  return first_layer(map, kind, [&](host::HostFeatureLayer&, const auto& feature_class) {
    if (feature_class->AliasName() != name)
      return false;
    return workspace_folder(feature_class) == folder;
  });
}

std::int32_t FindAnyLayerIndex(host::HostMap* map, std::string_view name, std::string_view kind) {
  return first_layer(
      map, kind, [&](host::HostFeatureLayer& layer, const auto&) { return layer.Name() == name; });
}

com::ComPtr<host::HostFeatureLayer> NetworkLayer(host::HostMap* map) {
  const auto index = FindLayerIndex(map, shared_state().gNetworkLayerName, "L");
  if (index == NoLayer)
    throw HandlerEnd("network layer not in the map");
  return require_as<host::HostFeatureLayer>(map->Layer(index), "network layer");
}

com::ComPtr<host::HostFeatureClass> NetworkFeatureClass(host::HostMap* map) {
  return require(NetworkLayer(map)->FeatureClass(), "network feature class");
}

} // namespace corvane
