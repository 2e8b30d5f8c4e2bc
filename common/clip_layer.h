#pragma once

#include <string_view>

#include "com/unknown.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/spatial_reference.h"

namespace corvane {

// The clip layer of the polygon isochrone tools: the polygon layer the isochrone options named
// (gClipLayerName), found by its name in the map, in any folder.

// The clip layer, or null when clipping is off (gClipMode other than ClipMode::ToLayer) or the
// layer is not in the map. A failing host call ends the handler.
com::ComPtr<host::HostFeatureLayer> FindClipLayer(host::HostMap* map);

// With clipping on and the clip layer gone from the map, says so ("Clip layer not found" under
// `title`, critical) and turns clipping off for this and later runs (ClipMode::LayerMissing, no
// layer name) until the isochrone options set it again.
void DropMissingClipLayer(host::HostMap* map, std::string_view title);

// With clipping on, whether the clip layer can cut zones: it holds at least one polygon, every
// vertex is a finite number, its polygons have an area, and its extent meets the network
// layer's (`network_reference` is the network's coordinate system). Otherwise the user is told
// which layer and why, under `title`, before the run has written or removed anything: false.
// True with clipping off or the clip layer gone from the map (the callers' own case).
bool ClipLayerUsable(host::HostMap* map, host::HostSpatialReference* network_reference,
                     std::string_view title);

// The four bounds the engine cuts zone polygons to: 0 each for no cut.
struct ClipExtent {
  double min_x = 0;
  double min_y = 0;
  double max_x = 0;
  double max_y = 0;
};

// The extent of `layer`'s data in `reference` (the network's coordinate system). A failing host
// call ends the handler, also when the extent cannot be projected.
ClipExtent ExtentIn(host::HostLayer& layer, host::HostSpatialReference* reference);

} // namespace corvane
