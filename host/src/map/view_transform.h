#pragma once

#include "map/rect.h"

namespace host {

// The map window's pixels against map coordinates. The requested extent is fitted into the
// device frame keeping its aspect and centred, so the visible extent may be wider or taller.
// Pixel (0, 0) is the top-left corner; y grows downwards on screen and upwards on the map.
struct ViewTransform {
  static constexpr int device_width = 1000;
  static constexpr int device_height = 800;

  MapRect requested{0, 0, device_width, device_height};

  double resolution() const;
  MapRect visible() const;
  // Whether map point (x, y) is on the screen, the visible extent's edges included. Those edges
  // are reckoned from the centre and the resolution and may miss the requested extent by a
  // rounding: a point less than a millionth of a pixel beyond them, which no screen can show
  // apart from the edge, counts as on it (the easternmost node of a layer whose extent the view
  // shows).
  bool shows(double x, double y) const;
  void to_map(double px, double py, double* x, double* y) const;
  void to_pixel(double x, double y, double* px, double* py) const;
};

} // namespace host
