#include "common/clip_layer.h"

#include "common/handler_end.h"
#include "common/layer_lookup.h"
#include "common/show_message.h"
#include "host/geometry.h"
#include "network/shared_state.h"

namespace corvane {

com::ComPtr<host::HostFeatureLayer> FindClipLayer(host::HostMap* map) {
  const auto& state = shared_state();
  if (state.gClipMode != 1)
    return nullptr;
  const auto index = FindAnyLayerIndex(map, state.gClipLayerName, "PG");
  if (index == NoLayer)
    return nullptr;
  return require_as<host::HostFeatureLayer>(map->Layer(index), "clip layer");
}

void DropMissingClipLayer(host::HostMap* map, std::string_view title) {
  auto& state = shared_state();
  if (state.gClipMode != 1 || FindClipLayer(map))
    return;
  show_message("Clip layer not found", title, forms::Icon::Critical);
  state.gClipMode = 3;
  state.gClipLayerName.clear();
}

ClipExtent ExtentIn(host::HostLayer& layer, host::HostSpatialReference* reference) {
  const auto extent = require(layer.AreaOfInterest(), "Layer.AreaOfInterest");
  check_call(extent->Project(reference), "Envelope.Project");
  return {extent->XMin(), extent->YMin(), extent->XMax(), extent->YMax()};
}

} // namespace corvane
