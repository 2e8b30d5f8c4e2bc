#include "marker_icons.h"

#include "palette.h"

namespace resources {
namespace {

using namespace palette;

Canvas flag(Rgb cloth) {
  Canvas c(16, 16, marker_transparent);
  c.rect(3, 1, 4, 15, brown);
  c.polygon({{5, 1}, {15, 4}, {5, 8}}, cloth);
  c.polyline({{5, 1}, {14, 4}, {5, 8}}, black);
  c.rect(1, 14, 7, 15, black);
  return c;
}

Canvas danger() {
  Canvas c(16, 16, marker_transparent);
  c.polygon({{8, 0}, {16, 15}, {0, 15}}, yellow);
  c.polyline({{8, 0}, {15, 14}, {0, 14}, {7, 0}}, black);
  c.glyph(6, 5, '!', black);
  return c;
}

Canvas star() {
  Canvas c(16, 16, marker_transparent);
  c.polygon(
      {{8, 0}, {10, 6}, {16, 6}, {11, 10}, {13, 16}, {8, 12}, {3, 16}, {5, 10}, {0, 6}, {6, 6}},
      yellow);
  c.dot(8, 8, orange);
  return c;
}

} // namespace

std::vector<MarkerIcon> marker_icons() {
  // "Flag1.bmp" and "flag1.bmp" are two files: centres of polygon zones and of link zones.
  return {
      {"Flag1.bmp", flag(green)}, {"flag1.bmp", flag(blue)}, {"flag2.bmp", flag(orange)},
      {"Danger.bmp", danger()},   {"Star.bmp", star()},
  };
}

} // namespace resources
