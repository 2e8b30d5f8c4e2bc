#pragma once

#include <string_view>

#include "host/layer.h"
#include "host/map.h"
#include "common/copy_zone_features.h"

namespace corvane {

// Cutting zone polygons to a polygon layer of the map. Both read the zones from the shapefile
// `input` of the network folder and write the cut zones, with all their attribute values, as the
// new shapefile `output` there (its name must be free), shown as a new layer on top of `map`.
// A zone with no part inside the clip polygons is left out. The input stays as it is. When
// no zone is left, the empty output is deleted and the user told so: false.
//
// Either writes the cut zones whole before they take the place of an older `output` of the
// system's own (WriteOutputWhole), and ends the handler on a failing host call (the shapefile
// missing, a clip shape that cannot be brought into the zones' coordinate system): then
// `output` holds no zone of this cut and no layer is added.

// Cuts the zones to the union of all polygons of `clip_layer` (the host's clip); an empty clip
// layer leaves no zone.
bool PrepareClipOutput(host::HostMap* map, std::string_view input, std::string_view output,
                       host::HostFeatureLayer* clip_layer);

// Cuts the zones to the clip layer: to its one polygon in `order` (ClipZonesByPolygon), to the
// union of several as the host clips (PrepareClipOutput).
bool ClipZones(host::HostMap* map, std::string_view input, std::string_view output,
               host::HostFeatureLayer* clip_layer, ZoneOrder order);

// Cuts the zones to the one polygon of `clip_layer` (its feature 0), made valid and taken into
// the zones' coordinate system, copying the zones in `order`.
bool ClipZonesByPolygon(host::HostMap* map, std::string_view input, std::string_view output,
                        host::HostFeatureLayer* clip_layer, ZoneOrder order);

} // namespace corvane
