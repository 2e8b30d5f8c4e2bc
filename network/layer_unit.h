#pragma once

#include <cstdint>
#include <string>

#include "host/table.h"

namespace corvane {

// The unit of a layer's coordinates, read from the spatial reference of its shape field: the
// linear unit of a projected system or the angular unit of a geographic one, as its standard
// (EPSG) code and name. An unknown coordinate system gives code 0 and the name "Known" (sic:
// the network building refuses a layer by that name).
struct LayerUnit {
  std::int32_t epsg_code = 0;
  std::string name;
};

inline constexpr std::string_view UnknownUnitName = "Known";

// A failing host call ends the handler.
LayerUnit layer_coordinate_unit(host::HostFeatureClass* features);

} // namespace corvane
