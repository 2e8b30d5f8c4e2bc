#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace resources {

struct MarkerIcon {
  std::string file; // the name under "Icons", letter case as the markers ask for it
  Canvas canvas;
};

// The pictures of the map markers.
std::vector<MarkerIcon> marker_icons();

} // namespace resources
