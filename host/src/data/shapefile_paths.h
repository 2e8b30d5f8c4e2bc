#pragma once

#include <string>

namespace host {

// The files of a set; `shp` and `shx` are empty for a table alone.
struct ShapefilePaths {
  std::string shp, shx, dbf;
};

} // namespace host
