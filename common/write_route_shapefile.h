#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/unknown.h"
#include "common/output_sets.h"
#include "host/geometry.h"
#include "host/table.h"
#include "host/workspace.h"
#include "network/state/shared_state.h"

namespace corvane {

// "Route.shp" and "ViewRoute.shp" (RouteOutput, ViewRouteOutput), the output of the route
// tools, in the network folder. A failing host call ends the handler with the output written
// so far.

// Makes the feature class "Route" (or `name`: the tour over a point layer writes "BatchTSP" the
// same way) with the network layer's shape field. With directions it has
// the six direction fields "Direction" (text 30), "Desc" (text 50), "Distance", "TotalDist",
// "Time" and "TotalTime" (doubles, "TotalTime" of `total_time_length`) and no other attribute;
// without directions it has the network layer's fields, so that the route's links can be copied
// with their attributes. The old shapefile must be gone.
com::ComPtr<host::HostFeatureClass> CreateRouteShapefile(host::HostFeatureWorkspace* workspace,
                                                         host::HostFeatureClass* network,
                                                         bool directions,
                                                         int total_time_length = 10,
                                                         std::string_view name = RouteOutput);

// Makes the feature class "ViewRoute" (or the scratch set `name` that takes its place): the
// network layer's shape field and its first attribute field only (left empty), because it shows
// the route's shape alone.
com::ComPtr<host::HostFeatureClass>
CreateViewRouteShapefile(host::HostFeatureWorkspace* workspace, host::HostFeatureClass* network,
                         std::string_view name = ViewRouteOutput);

// Writes direction rows 0 .. count - 1 as features of `route` (made with directions), each with
// the shape of the same position in `shapes`. The costs go to the fields by route type, so that
// "Distance"/"TotalDist" always hold the distance and "Time"/"TotalTime" the minutes: a shortest
// route's primary cost is its distance, a fastest route's its time. Another route type writes
// no costs. Texts longer than their field are cut to the field's width.
void WriteRouteShapefile(host::HostFeatureClass* route, const BoundedTable<DirectionRow>& rows,
                         std::int32_t count,
                         const std::vector<com::ComPtr<host::HostGeometry>>& shapes,
                         std::int32_t route_type);

// `text` cut to at most `width` bytes, never inside a UTF-8 character, as a text field of that
// width stores it.
std::string cut_to_width(std::string_view text, int width);

} // namespace corvane
