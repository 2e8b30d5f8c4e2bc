#pragma once

#include <string_view>

#include "com/unknown.h"
#include "common/output_sets.h"
#include "host/application.h"
#include "host/layer.h"
#include "host/map.h"

namespace corvane {

// Takes every "BatchRoute" layer of the network folder and every standalone table named
// "BatchRoute" out of the map, so that no earlier table is shown beside the new one.
void RemoveBatchRouteOutput(host::HostMap* map);

// Hides the object id and the shape in the table display of a layer or standalone table: the
// user sees the attributes only.
void hide_id_and_shape(com::IUnknown* layer_or_table, host::HostFields* fields);

// "BatchRoute.shp" of the network folder as a new layer on top of the map (named as its feature
// class); null when the engine wrote no shapes because no row had a route.
com::ComPtr<host::HostFeatureLayer> add_batch_route_layer(host::HostMap* map);

} // namespace corvane
