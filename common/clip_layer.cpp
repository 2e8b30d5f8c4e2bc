#include "common/clip_layer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/layer_lookup.h"
#include "common/show_message.h"
#include "host/cursor.h"
#include "host/geometry.h"
#include "host/row.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

bool finite_path(const host::Path& path) {
  return std::ranges::all_of(
      path, [](const host::XY& xy) { return std::isfinite(xy.x) && std::isfinite(xy.y); });
}

// Why the polygons of `layer` cannot cut zones; empty when they can.
std::string polygons_problem(host::HostFeatureLayer& layer) {
  const auto features = require(layer.FeatureClass(), "FeatureLayer.FeatureClass");
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(features->Search(nullptr, false, &cursor), "FeatureClass.Search");
  require(cursor, "FeatureClass.Search");
  bool any = false;
  double area = 0;
  for (com::ComPtr<host::HostFeature> feature;;) {
    const auto next = cursor->NextFeature(&feature);
    check_call(next, "FeatureCursor.NextFeature");
    if (next == com::S_FALSE || !feature)
      break;
    any = true;
    // A record without a shape cuts nothing, and is no reason to refuse the others.
    const auto shape = feature->Shape();
    const auto polygon = shape ? shape.as<host::HostPolygon>() : nullptr;
    if (!polygon)
      continue;
    for (int ring = 0; ring < polygon->RingCount(); ++ring)
      if (!finite_path(polygon->RingAt(ring)))
        return "polygon " + std::to_string(feature->OID()) +
               " has a vertex whose coordinates are not finite numbers";
    area += polygon->Area();
  }
  if (!any)
    return "it holds no polygon";
  if (!(area > 0))
    return "its polygons have no area";
  return {};
}

bool extents_meet(const ClipExtent& a, const ClipExtent& b) {
  return a.min_x <= b.max_x && b.min_x <= a.max_x && a.min_y <= b.max_y && b.min_y <= a.max_y;
}

} // namespace

com::ComPtr<host::HostFeatureLayer> FindClipLayer(host::HostMap* map) {
  const auto& state = shared_state();
  if (state.gClipMode != ClipMode::ToLayer)
    return nullptr;
  const auto index = FindAnyLayerIndex(map, state.gClipLayerName, "PG");
  if (index == NoLayer)
    return nullptr;
  return require_as<host::HostFeatureLayer>(map->Layer(index), "clip layer");
}

void DropMissingClipLayer(host::HostMap* map, std::string_view title) {
  auto& state = shared_state();
  if (state.gClipMode != ClipMode::ToLayer || FindClipLayer(map))
    return;
  show_message("Clip layer not found", title, forms::Icon::Critical);
  state.gClipMode = ClipMode::LayerMissing;
  state.gClipLayerName.clear();
}

bool ClipLayerUsable(host::HostMap* map, host::HostSpatialReference* network_reference,
                     std::string_view title) {
  const auto clip_layer = FindClipLayer(map);
  if (!clip_layer)
    return true;
  auto problem = polygons_problem(*clip_layer);
  if (problem.empty() && !extents_meet(ExtentIn(*clip_layer, network_reference),
                                       ExtentIn(*NetworkLayer(map), network_reference)))
    problem = "it does not meet the network layer " + shared_state().gNetworkLayerName;
  if (problem.empty())
    return true;
  show_message("The clip layer " + shared_state().gClipLayerName +
                   " cannot cut the zones: " + problem +
                   ". Choose another clip layer in the isochrone options, or mend this one; "
                   "nothing was changed.",
               title, forms::Icon::Exclamation);
  return false;
}

ClipExtent ExtentIn(host::HostLayer& layer, host::HostSpatialReference* reference) {
  const auto extent = require(layer.AreaOfInterest(), "Layer.AreaOfInterest");
  check_call(extent->Project(reference), "Envelope.Project");
  return {extent->XMin(), extent->YMin(), extent->XMax(), extent->YMax()};
}

} // namespace corvane
