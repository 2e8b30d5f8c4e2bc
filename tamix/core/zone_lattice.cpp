#include "zone_lattice.h"

#include "error.h"

#include <string>

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
  if (!(radius > 0) || !std::isfinite(radius))
    throw Error(code::out_of_bounds, "the widening radius must be a positive finite number");
  if (most_points < 1)
    throw Error(code::out_of_bounds, "the zones cannot be drawn on fewer than 1 sample point");
  if (!std::isfinite(low.x) || !std::isfinite(low.y) || !std::isfinite(high.x) ||
      !std::isfinite(high.y))
    throw Error(code::out_of_bounds, "the box of the zones has a side that is not finite");
  spacing_ = radius / points_per_radius;
  const double width = high.x - low.x, height = high.y - low.y;
  // Each round widens the spacing by a factor above 1, so it ends: with a lattice that fits, or
  // with a spacing, or a count of points, past what a double holds, which no lattice can have
  // (a box too wide, or too few points for the margins on its four sides).
  for (;;) {
    reach_ = radius + 2 * spacing_;
    const double margin = reach_ + spacing_;
    const double columns = std::ceil((width + 2 * margin) / spacing_) + 1;
    const double rows = std::ceil((height + 2 * margin) / spacing_) + 1;
    if (!std::isfinite(spacing_) || !std::isfinite(columns * rows))
      throw Error(code::out_of_bounds, "the box of the zones is too large to sample in at most " +
                                           std::to_string(most_points) + " points");
    constexpr double most_per_side = std::numeric_limits<std::uint32_t>::max();
    if (columns * rows <= double(most_points) && columns <= most_per_side &&
        rows <= most_per_side) {
      origin_ = {low.x - margin, low.y - margin};
      columns_ = static_cast<std::uint32_t>(columns);
      rows_ = static_cast<std::uint32_t>(rows);
      break;
    }
    spacing_ *= std::max(std::sqrt(columns * rows / double(most_points)), 1.0) * 1.01;
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
