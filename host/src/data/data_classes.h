#pragma once

#include <span>

#include "map/map_classes.h"

namespace host {

// The data and geometry classes that callers create by ProgID (the shapefile workspace
// factory, geometries, filters, fields, ...), in the same form as the map classes, for the
// session to register.
std::span<const MapClass> data_classes();

} // namespace host
