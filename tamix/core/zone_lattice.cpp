#include "zone_lattice.h"

#include "error.h"

namespace tamix {
namespace {

// Sample points per radius: an isolated point's disc comes out as a polygon of about 12 sides,
// and a city's zone has about as many vertices as GEOS's buffer of its links.
constexpr double points_per_radius = 2;

} // namespace

bool ZoneWindow::overlaps(const ZoneWindow& other) const {
  return !empty() && !other.empty() && first_column < other.end_column &&
         other.first_column < end_column && first_row < other.end_row && other.first_row < end_row;
}

ZoneWindow ZoneWindow::joined(const ZoneWindow& other) const {
  return {std::min(first_column, other.first_column), std::max(end_column, other.end_column),
          std::min(first_row, other.first_row), std::max(end_row, other.end_row)};
}

ZoneWindow ZoneWindow::joined(const ZoneWindow& window, std::uint32_t column, std::uint32_t row) {
  const ZoneWindow point{column, column + 1, row, row + 1};
  return window.empty() ? point : window.joined(point);
}

ZoneLattice::ZoneLattice(Point low, Point high, double radius, std::size_t most_points)
    : radius_(radius) {
  if (!(radius > 0))
    throw Error(code::out_of_bounds, "the widening radius must be positive");
  spacing_ = radius / points_per_radius;
  const double width = high.x - low.x, height = high.y - low.y;
  for (;;) {
    reach_ = radius + 2 * spacing_;
    const double margin = reach_ + spacing_;
    const double columns = std::ceil((width + 2 * margin) / spacing_) + 1;
    const double rows = std::ceil((height + 2 * margin) / spacing_) + 1;
    if (columns * rows <= double(most_points)) {
      origin_ = {low.x - margin, low.y - margin};
      columns_ = static_cast<std::uint32_t>(columns);
      rows_ = static_cast<std::uint32_t>(rows);
      break;
    }
    spacing_ *= std::sqrt(columns * rows / double(most_points)) * 1.01;
  }
}

ZoneWindow ZoneLattice::grown(ZoneWindow w) const {
  if (w.empty())
    return w;
  w.first_column = w.first_column >= 2 ? w.first_column - 2 : 0;
  w.first_row = w.first_row >= 2 ? w.first_row - 2 : 0;
  w.end_column = std::min(columns_, w.end_column + 2);
  w.end_row = std::min(rows_, w.end_row + 2);
  return w;
}

} // namespace tamix
