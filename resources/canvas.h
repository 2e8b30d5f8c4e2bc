#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace resources {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A small picture drawn with a few shapes, for the command bitmaps and the marker icons.
// Coordinates are pixels, x to the right and y downwards from the top left corner; drawing
// outside the picture is clipped.
class Canvas {
public:
  Canvas(int width, int height, Rgb background);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb pixel(int x, int y) const { return pixels_[index(x, y)]; }

  void dot(int x, int y, Rgb color);
  // A filled 2 x 2 square whose top left pixel is (x, y): a network node.
  void node(int x, int y, Rgb color);
  void line(int x0, int y0, int x1, int y1, Rgb color);
  void polyline(const std::vector<std::pair<int, int>>& points, Rgb color);
  // Filled, corners included.
  void rect(int x0, int y0, int x1, int y1, Rgb color);
  void frame(int x0, int y0, int x1, int y1, Rgb color);
  void disc(int cx, int cy, int radius, Rgb color);
  void ring(int cx, int cy, int radius, Rgb color);
  // Filled by the even-odd rule, sampled at pixel centres.
  void polygon(const std::vector<std::pair<int, int>>& corners, Rgb color);
  // One character of the small 5 x 7 font ('?', '!', 'i', '+', 'x'), top left at (x, y).
  void glyph(int x, int y, char c, Rgb color);

  const std::vector<Rgb>& pixels() const { return pixels_; }

private:
  bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  std::size_t index(int x, int y) const { return static_cast<std::size_t>(y * width_ + x); }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

} // namespace resources
