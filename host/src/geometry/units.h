#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace host {

// A standard unit of measure: EPSG code, name as ".prj" files write it, and metres (linear)
// or radians (angular) per unit.
struct UnitInfo {
  int epsg = 0;
  std::string_view name;
  double factor = 0;
  bool angular = false;
};

// The standard unit a coordinate system's unit stands for. ".prj" files usually carry no
// codes, so the unit is recognised by its name (ignoring case, blanks and underscores, and
// "metre" = "meter"), else by its factor (within 1e-9 relative).
std::optional<UnitInfo> find_unit(std::string_view name, double factor, bool angular);
std::optional<UnitInfo> find_unit_by_code(int epsg);

} // namespace host
