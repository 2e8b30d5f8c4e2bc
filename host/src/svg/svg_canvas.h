#pragma once

#include <string>

#include "geometry/shape.h"
#include "map/view_transform.h"
#include "svg/svg_style.h"

namespace host::svg {

// Turns map geometry into SVG elements at the view's pixels.
class Canvas {
public:
  explicit Canvas(const ViewTransform& view);

  // False when the box lies wholly outside the picture (with a margin for wide symbols).
  bool shows(const Box& bounds) const;
  // One element for a shape: a path for lines and areas (holes kept with the even-odd rule),
  // marker shapes for points. `extra` goes into each element's attributes as it is.
  void shape(std::string& out, const Shape& shape, const Style& style,
             const std::string& extra) const;
  void marker(std::string& out, double x, double y, const Style& style,
              const std::string& extra) const;
  void pixel(double x, double y, double* px, double* py) const;

private:
  void path_data(std::string& out, const Shape& shape, bool close) const;

  ViewTransform view_;
  Box visible_;
};

} // namespace host::svg
