#pragma once

#include <initializer_list>

#include "forms/lists.h"
#include "host/map.h"

namespace corvane {

// Lists the point shapefile layers of `map` for a layer dialog: row n of gLayerList gets the n-th
// such layer (its name, folder, n and its map position), its name goes into each of `boxes`,
// and every box shows the first one. At most the rows of gLayerList are offered. Returns the
// number of layers offered.
int list_point_layers(host::HostMap& map, std::initializer_list<forms::ComboBox*> boxes);

} // namespace corvane
