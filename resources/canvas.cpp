#include "canvas.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace resources {
namespace {

struct Glyph {
  char c;
  std::array<std::string_view, 7> rows;
};

constexpr std::array<Glyph, 5> font{{
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
    {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    {'x', {".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "....."}},
}};

} // namespace

Canvas::Canvas(int width, int height, Rgb background)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

void Canvas::dot(int x, int y, Rgb color) {
  if (inside(x, y))
    pixels_[index(x, y)] = color;
}

void Canvas::node(int x, int y, Rgb color) {
  rect(x, y, x + 1, y + 1, color);
}

void Canvas::line(int x0, int y0, int x1, int y1, Rgb color) {
  const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    dot(x0, y0, color);
    if (x0 == x1 && y0 == y1)
      return;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void Canvas::polyline(const std::vector<std::pair<int, int>>& points, Rgb color) {
  for (std::size_t i = 1; i < points.size(); ++i)
    line(points[i - 1].first, points[i - 1].second, points[i].first, points[i].second, color);
}

void Canvas::rect(int x0, int y0, int x1, int y1, Rgb color) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      dot(x, y, color);
}

void Canvas::frame(int x0, int y0, int x1, int y1, Rgb color) {
  polyline({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}, color);
}

void Canvas::disc(int cx, int cy, int radius, Rgb color) {
  for (int y = cy - radius; y <= cy + radius; ++y)
    for (int x = cx - radius; x <= cx + radius; ++x)
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius + radius / 2)
        dot(x, y, color);
}

void Canvas::ring(int cx, int cy, int radius, Rgb color) {
  // Midpoint circle: one pixel wide, closed at every radius.
  int x = radius, y = 0, error = 1 - radius;
  while (x >= y) {
    for (auto [px, py] : std::array<std::pair<int, int>, 8>{
             {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}}})
      dot(cx + px, cy + py, color);
    ++y;
    if (error < 0) {
      error += 2 * y + 1;
    } else {
      --x;
      error += 2 * (y - x) + 1;
    }
  }
}

void Canvas::polygon(const std::vector<std::pair<int, int>>& corners, Rgb color) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      bool in = false;
      for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const double xi = corners[i].first, yi = corners[i].second;
        const double xj = corners[j].first, yj = corners[j].second;
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
          in = !in;
      }
      if (in)
        dot(x, y, color);
    }
}

void Canvas::glyph(int x, int y, char c, Rgb color) {
  for (const auto& g : font) {
    if (g.c != c)
      continue;
    for (int row = 0; row < 7; ++row)
      for (int col = 0; col < 5; ++col)
        if (g.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] == '#')
          dot(x + col, y + row, color);
    return;
  }
  throw std::invalid_argument(std::string("no glyph for ") + c);
}

} // namespace resources
