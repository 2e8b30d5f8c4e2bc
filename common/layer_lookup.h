#pragma once

#include <cstdint>
#include <string_view>

#include "com/unknown.h"
#include "host/layer.h"
#include "host/map.h"
#include "host/table.h"

namespace corvane {

// Layer lookups in the focus map. `kind` is "L" (polyline), "PT" (point), "PG" (polygon) or
// "A" (any shape). Both return the 0-based map position of the first feature layer that
// matches, or NoLayer (-2) when none does; callers test for -2 before they touch the layer.
// Names compare case-sensitively. A failing host call ends the handler (HandlerEnd).

// Matches the feature class's alias name (for a shapefile its file name) and requires the
// feature class to lie in gNetworkFolder: the add-in's output shapefiles are found this way.
std::int32_t FindLayerIndex(host::HostMap* map, std::string_view name, std::string_view kind);

// Matches the layer's own name, as the table of contents shows it, in any folder: layers the
// user chose by name in a dialog are found this way.
std::int32_t FindAnyLayerIndex(host::HostMap* map, std::string_view name, std::string_view kind);

// The network layer in `map`, and its feature class; end the handler when the layer is gone.
com::ComPtr<host::HostFeatureLayer> NetworkLayer(host::HostMap* map);
com::ComPtr<host::HostFeatureClass> NetworkFeatureClass(host::HostMap* map);

} // namespace corvane
