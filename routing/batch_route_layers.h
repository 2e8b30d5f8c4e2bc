#pragma once

#include "forms/lists.h"
#include "host/map.h"

namespace corvane {

// Lists the point shapefile layers of `map` for the batch dialog: row n of gLayerList gets the
// n-th such layer (its name, folder, n and its map position), its name goes into both table
// boxes, and both boxes show the first one. At most the rows of gLayerList are offered. Returns
// the number of layers offered.
int list_point_layers(host::HostMap& map, forms::ComboBox& from_tables, forms::ComboBox& to_tables);

} // namespace corvane
