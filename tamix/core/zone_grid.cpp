#include "zone_grid.h"

#include "error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tamix {
namespace {

constexpr float outside = std::numeric_limits<float>::infinity();
constexpr float tie = std::numeric_limits<float>::min();
// Sample points per radius: an isolated point's disc comes out as a polygon of about 12 sides,
// and a city's zone has about as many vertices as GEOS's buffer of its links.
constexpr double points_per_radius = 2;

double squared_distance_to_segment(Point p, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
  return ex * ex + ey * ey;
}

} // namespace

bool ZoneGrid::Window::overlaps(const Window& other) const {
  return !empty() && !other.empty() && first_column < other.end_column &&
         other.first_column < end_column && first_row < other.end_row && other.first_row < end_row;
}

ZoneGrid::ZoneGrid(Point low, Point high, double radius, std::size_t most_points, Keep keep)
    : radius_(radius) {
  if (!(radius > 0))
    throw Error(code::out_of_bounds, "the widening radius must be positive");
  spacing_ = radius / points_per_radius;
  const double width = high.x - low.x, height = high.y - low.y;
  for (;;) {
    // Two spacings beyond the radius: a point next to one within the radius is never farther
    // than that, so its distance is exact where the outline needs it.
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
  const std::size_t size = std::size_t(columns_) * rows_;
  nearest_.assign(size, static_cast<float>(reach_));
  if (keep == Keep::owners) {
    owner_.assign(size, 0);
    other_.assign(size, static_cast<float>(reach_));
  } else {
    reach_cost_.assign(size, outside);
  }
}

// Keeps, per point, the nearest piece and the nearest of another owner.
inline void ZoneGrid::update(std::size_t at, float distance, std::uint32_t owner) {
  if (owner_.empty()) {
    nearest_[at] = std::min(nearest_[at], distance);
    return;
  }
  if (owner == owner_[at]) {
    nearest_[at] = std::min(nearest_[at], distance);
  } else if (distance < nearest_[at]) {
    other_[at] = nearest_[at];
    nearest_[at] = distance;
    owner_[at] = owner;
  } else if (distance < other_[at]) {
    other_[at] = distance;
  }
}

void ZoneGrid::add_segment(Point a, Point b, std::uint32_t owner, float cost_a, float cost_b) {
  const double reach2 = reach_ * reach_, radius2 = radius_ * radius_;
  const double low_y = std::min(a.y, b.y) - reach_, high_y = std::max(a.y, b.y) + reach_;
  const long first_row = std::max(0L, long(std::ceil((low_y - origin_.y) / spacing_)));
  const long end_row = std::min(long(rows_), long(std::floor((high_y - origin_.y) / spacing_)) + 1);
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  const bool costs = !reach_cost_.empty();
  // The lowest cost of the segment within the radius of a point: the end toward the cheaper
  // point of the stretch the radius cuts out of the segment.
  const auto reach_cost = [&](Point p) {
    if (length2 == 0 || cost_a == cost_b)
      return std::min(cost_a, cost_b);
    const double along = ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    const double across2 = std::max(0.0, (p.x - a.x) * (p.x - a.x) + (p.y - a.y) * (p.y - a.y) -
                                             along * along * length2);
    const double half = std::sqrt(std::max(0.0, radius2 - across2) / length2);
    const double t = cost_b > cost_a ? std::max(0.0, along - half) : std::min(1.0, along + half);
    return static_cast<float>(cost_a + t * (double(cost_b) - cost_a));
  };
  for (long row = first_row; row < end_row; ++row) {
    const double y = origin_.y + row * spacing_;
    // The part of the segment within `reach_` of this row, and the columns within reach of it.
    double t0 = 0, t1 = 1;
    if (dy != 0) {
      t0 = (y - reach_ - a.y) / dy;
      t1 = (y + reach_ - a.y) / dy;
      if (t0 > t1)
        std::swap(t0, t1);
      t0 = std::max(t0, 0.0);
      t1 = std::min(t1, 1.0);
      if (t0 > t1)
        continue;
    }
    const double x0 = a.x + t0 * dx, x1 = a.x + t1 * dx;
    const double low_x = std::min(x0, x1) - reach_, high_x = std::max(x0, x1) + reach_;
    const long first_column = std::max(0L, long(std::ceil((low_x - origin_.x) / spacing_)));
    const long end_column =
        std::min(long(columns_), long(std::floor((high_x - origin_.x) / spacing_)) + 1);
    const std::size_t row_start = std::size_t(row) * columns_;
    for (long column = first_column; column < end_column; ++column) {
      const Point p = point(column, row);
      const double d2 = squared_distance_to_segment(p, a, b);
      if (d2 >= reach2)
        continue;
      const std::size_t at = row_start + column;
      if (costs && d2 <= radius2)
        reach_cost_[at] = std::min(reach_cost_[at], reach_cost(p));
      const float here = nearest_[at];
      if (owner_.empty() && d2 >= double(here) * here)
        continue;
      update(at, static_cast<float>(std::sqrt(d2)), owner);
    }
  }
}

void ZoneGrid::add_line(std::span<const Point> line, std::uint32_t owner) {
  if (line.size() == 1)
    add_segment(line[0], line[0], owner, 0, 0);
  for (std::size_t k = 1; k < line.size(); ++k)
    add_segment(line[k - 1], line[k], owner, 0, 0);
}

void ZoneGrid::add_reached_line(std::span<const Point> line, std::span<const float> costs) {
  if (line.size() == 1)
    add_segment(line[0], line[0], 1, costs[0], costs[0]);
  for (std::size_t k = 1; k < line.size(); ++k)
    add_segment(line[k - 1], line[k], 1, costs[k - 1], costs[k]);
}

std::vector<ZoneGrid::Window> ZoneGrid::windows_within(std::span<const double> limits) const {
  // Each point widens the window of the lowest limit that holds it; a window then takes in those
  // of the lower limits.
  std::vector<Window> windows(limits.size());
  for (std::uint32_t row = 0; row < rows_; ++row)
    for (std::uint32_t column = 0; column < columns_; ++column) {
      const float cost = reach_cost_[std::size_t(row) * columns_ + column];
      const auto lowest = std::lower_bound(limits.begin(), limits.end(), double(cost));
      if (lowest == limits.end())
        continue;
      const Window point{column, column + 1, row, row + 1};
      Window& w = windows[std::size_t(lowest - limits.begin())];
      w = w.empty() ? point : w.joined(point);
    }
  for (std::size_t k = 1; k < windows.size(); ++k)
    if (!windows[k - 1].empty())
      windows[k] = windows[k].empty() ? windows[k - 1] : windows[k].joined(windows[k - 1]);
  for (Window& w : windows)
    w = grown(w);
  return windows;
}

void ZoneGrid::zones_within(std::span<const double> limits,
                            const std::function<void(std::size_t, geos::Rings)>& each) const {
  const std::vector<Window> windows = windows_within(limits);
  const float radius = float(radius_);
  for (std::size_t k = 0; k < limits.size(); ++k) {
    if (windows[k].empty()) {
      each(k, {});
      continue;
    }
    // Inside: a reach cost within the limit (as the single-precision costs hold it).
    const float level = std::nextafter(float(limits[k]), outside);
    each(k, contour(
                windows[k], [&](std::size_t at) { return reach_cost_[at]; }, level,
                [&](std::size_t at) { return nearest_[at] - radius; }));
  }
}

geos::Rings ZoneGrid::rings_of_owner(std::uint32_t owner, const Window& window) const {
  if (window.empty())
    return {};
  const float radius = float(radius_);
  // Negative inside: within the radius and nearer than any other owner. Where another owner is
  // nearest, `owner` counts as the second nearest: the same expression with the roles turned,
  // so that two owners place the crossing between them at the same point (a farther owner only
  // sees a lower bound of its own value there, which is positive all the same).
  return contour(
      window,
      [&](std::size_t at) {
        const bool owned = owner_[at] == owner;
        const float own = owned ? nearest_[at] : other_[at];
        const float nearest_other = owned ? other_[at] : nearest_[at];
        // A point as near to two owners belongs to the one that holds it (the first to get
        // there), as the sides of a tie on a link do; it must not fall between both.
        const float split = own - nearest_other;
        return std::max(own - radius, owned && split == 0 ? -tie : split);
      },
      0.0f, [](std::size_t) { return outside; });
}

std::vector<ZoneGrid::Window> ZoneGrid::owner_windows(std::uint32_t owner_count) const {
  std::vector<Window> windows(owner_count);
  const float radius = float(radius_);
  for (std::uint32_t row = 0; row < rows_; ++row)
    for (std::uint32_t column = 0; column < columns_; ++column) {
      const std::size_t at = std::size_t(row) * columns_ + column;
      const std::uint32_t owner = owner_[at];
      if (owner >= owner_count || nearest_[at] > radius)
        continue;
      const Window point{column, column + 1, row, row + 1};
      Window& w = windows[owner];
      w = w.empty() ? point : w.joined(point);
    }
  for (Window& w : windows)
    w = grown(w);
  return windows;
}

ZoneGrid::Window ZoneGrid::Window::joined(const Window& other) const {
  return {std::min(first_column, other.first_column), std::max(end_column, other.end_column),
          std::min(first_row, other.first_row), std::max(end_row, other.end_row)};
}

ZoneGrid::Window ZoneGrid::grown(Window w) const {
  if (w.empty())
    return w;
  w.first_column = w.first_column >= 2 ? w.first_column - 2 : 0;
  w.first_row = w.first_row >= 2 ? w.first_row - 2 : 0;
  w.end_column = std::min(columns_, w.end_column + 2);
  w.end_row = std::min(rows_, w.end_row + 2);
  return w;
}

// Marching squares over the cells of `window`, points outside it counting as outside. A point is
// inside when its value is below `level`. Each cell side with one end inside holds one crossing;
// within a cell the outline runs from the crossing where a walk around the cell (counter-
// clockwise) leaves the inside to the one where it enters it again, which keeps the inside on
// the outline's left. Where two opposite corners are inside and two outside, the cell's mean
// decides whether the inside corners join (the mean of the fallback where a corner's value is
// infinite). The fallback does not change with the level, so the crossings and joins it decides
// are the same for every level that has them.
template <class Value, class Fallback>
geos::Rings ZoneGrid::contour(const Window& window, Value value, float level,
                              Fallback fallback) const {
  // Cells run from one point before the window to its last point, so that outlines close.
  const long c0 = long(window.first_column) - 1, c1 = long(window.end_column);
  const long r0 = long(window.first_row) - 1, r1 = long(window.end_row);
  const auto in_window = [&](long column, long row) {
    return column >= long(window.first_column) && column < c1 && row >= long(window.first_row) &&
           row < r1;
  };
  const auto at = [&](long column, long row) -> float {
    return in_window(column, row) ? value(std::size_t(row) * columns_ + std::size_t(column))
                                  : outside;
  };
  const auto fallback_at = [&](long column, long row) -> float {
    return in_window(column, row) ? fallback(std::size_t(row) * columns_ + std::size_t(column))
                                  : outside;
  };
  // Crossings by number; within a row of cells, the sides' crossings are found through the
  // row's own arrays (the row's upper sides become the next row's lower ones).
  struct Crossing {
    Point at;
    std::uint32_t next = 0;
    bool used = false;
  };
  constexpr std::uint32_t none = ~std::uint32_t(0);
  std::vector<Crossing> crossings;
  std::vector<std::uint32_t> starts; // in cell order, so that the rings come out the same each run
  const std::size_t width = std::size_t(c1 - c0 + 1);
  std::vector<std::uint32_t> lower_sides(width, none), upper_sides(width, none),
      upright_sides(width + 1, none);

  const auto crossing_point = [&](long column, long row, int up, float v_low, float v_high) {
    // From the side's lower-left point toward its other end. Toward a point without a value the
    // fallback places it; an end without either (outside the window) puts the crossing next to
    // the inside end.
    float t = (level - v_low) / (v_high - v_low);
    if (!std::isfinite(v_low) || !std::isfinite(v_high)) {
      const float f_low = fallback_at(column, row);
      const float f_high = up ? fallback_at(column, row + 1) : fallback_at(column + 1, row);
      t = -f_low / (f_high - f_low);
    }
    if (!std::isfinite(t))
      t = v_low < level ? 0.0f : 1.0f;
    // Never on a point itself, where outlines of neighbouring cells would touch.
    const double share = std::clamp(double(t), 0.001, 0.999);
    const Point start{origin_.x + column * spacing_, origin_.y + row * spacing_};
    return up ? Point{start.x, start.y + share * spacing_}
              : Point{start.x + share * spacing_, start.y};
  };

  std::vector<float> below(width + 1), above(width + 1);
  for (long column = c0; column <= c1; ++column)
    below[column - c0] = at(column, r0);
  for (long row = r0; row < r1; ++row) {
    for (long column = c0; column <= c1; ++column)
      above[column - c0] = at(column, row + 1);
    std::fill(upper_sides.begin(), upper_sides.end(), none);
    std::fill(upright_sides.begin(), upright_sides.end(), none);
    for (long column = c0; column < c1; ++column) {
      const std::size_t x = std::size_t(column - c0);
      // Corners counter-clockwise from the lower left.
      const float v[4] = {below[x], below[x + 1], above[x + 1], above[x]};
      const bool in[4] = {v[0] < level, v[1] < level, v[2] < level, v[3] < level};
      if (in[0] == in[1] && in[1] == in[2] && in[2] == in[3])
        continue;
      // Side k runs from corner k to corner k + 1: lower, right, upper, left.
      std::uint32_t* sides[4] = {&lower_sides[x], &upright_sides[x + 1], &upper_sides[x],
                                 &upright_sides[x]};
      std::uint32_t found[4];
      bool leaves[4];
      int count = 0;
      for (int k = 0; k < 4; ++k) {
        const int next = (k + 1) % 4;
        if (in[k] == in[next])
          continue;
        if (*sides[k] == none) {
          // The side's own lower-left end and its other end, whichever way the walk runs.
          const bool from_lower_left = k < 2;
          const float v_low = from_lower_left ? v[k] : v[next];
          const float v_high = from_lower_left ? v[next] : v[k];
          *sides[k] = std::uint32_t(crossings.size());
          crossings.push_back({crossing_point(k == 1 ? column + 1 : column, k == 2 ? row + 1 : row,
                                              k % 2, v_low, v_high)});
        }
        found[count] = *sides[k];
        leaves[count] = in[k];
        ++count;
      }
      bool joined = false;
      if (count == 4) {
        const float mean = (v[0] + v[1] + v[2] + v[3]) / 4;
        joined = std::isfinite(mean)
                     ? mean < level
                     : fallback_at(column, row) + fallback_at(column + 1, row) +
                               fallback_at(column + 1, row + 1) + fallback_at(column, row + 1) <
                           0;
      }
      for (int c = 0; c < count; ++c) {
        if (!leaves[c])
          continue;
        const int to = count == 2 ? (c + 1) % 2 : joined ? (c + 1) % 4 : (c + 3) % 4;
        crossings[found[c]].next = found[to];
        starts.push_back(found[c]);
      }
    }
    std::swap(below, above);
    std::swap(lower_sides, upper_sides);
  }

  geos::Rings rings;
  for (std::uint32_t start : starts) {
    if (crossings[start].used)
      continue;
    std::vector<Point> ring;
    std::uint32_t side = start;
    do {
      Crossing& crossing = crossings[side];
      crossing.used = true;
      if (ring.empty() || !(ring.back() == crossing.at))
        ring.push_back(crossing.at);
      side = crossing.next;
    } while (side != start);
    if (ring.size() < 3)
      continue;
    ring.push_back(ring.front());
    rings.push_back(std::move(ring));
  }
  return rings;
}

} // namespace tamix
