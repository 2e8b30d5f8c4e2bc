#include "network/layer_unit.h"

#include "common/layer_spatial_reference.h"
#include "host/spatial_reference.h"

namespace corvane {

LayerUnit layer_coordinate_unit(host::HostFeatureClass* features) {
  const auto reference = GetLayerSpatialReference(features);
  com::ComPtr<host::HostUnit> unit;
  if (const auto projected = reference.as<host::HostProjectedCoordinateSystem>())
    unit = projected->CoordinateUnit();
  else if (const auto geographic = reference.as<host::HostGeographicCoordinateSystem>())
    unit = geographic->CoordinateUnit();
  if (!unit)
    return {0, std::string(UnknownUnitName)};
  return {unit->FactoryCode(), unit->Name()};
}

} // namespace corvane
