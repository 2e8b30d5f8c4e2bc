#pragma once

#include <string>
#include <vector>

#include "map/view_transform.h"
#include "svg/svg_style.h"

namespace host::svg {

// The legend of one drawn layer: its name and the classes of its renderer.
struct LegendLayer {
  std::string name;
  int shape_type = 0;
  std::vector<ClassEntry> classes;
};

// A box in the top-right corner listing the layers from the top down, each class with a
// swatch and its label (classes without a label are left out).
void draw_legend(std::string& out, const std::vector<LegendLayer>& layers);

// A bar in the bottom-left corner of a round length (1, 2 or 5 times a power of ten) in the
// map's distance units (HostUnits), measured with the map's own unit; over a map in degrees,
// along the parallel through the view's middle.
void draw_scale_bar(std::string& out, const ViewTransform& view, int map_units, int distance_units);

} // namespace host::svg
