#include "zone_grid.h"

#include "error.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <limits>
#include <thread>

namespace tamix {
namespace {

constexpr float outside = std::numeric_limits<float>::infinity();
constexpr float tie = std::numeric_limits<float>::min();
// Sample points per radius: an isolated point's disc comes out as a polygon of about 12 sides,
// and a city's zone has about as many vertices as GEOS's buffer of its links.
constexpr double points_per_radius = 2;
// Threads that draw the network into stripes of the grid: beyond this the stripes get too thin
// for the lines that cross several of them.
constexpr std::size_t most_threads = 8;

// The places within `r` of the segment from `a` to `b`, row by row. They are convex, so each row
// meets them in one stretch, whose ends lie on the circles around the segment's ends or on its
// two sides parallel to it; what every row shares is worked out once.
class Capsule {
public:
  Capsule(Point a, Point b, double r) : a_(a), b_(b), r_(r), dx_(b.x - a.x) {
    const double dy = b.y - a.y;
    if (dy != 0) {
      const double length = std::sqrt(dx_ * dx_ + dy * dy);
      per_dy_ = 1 / dy;
      across_x_ = -dy / length * r;
      across_y_ = dx_ / length * r;
    }
  }
  // The stretch [low, high] of the row at height `y`; false when there is none.
  bool on_row(double y, double& low, double& high) const {
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (const Point end : {a_, b_}) {
      const double left = r_ * r_ - (y - end.y) * (y - end.y);
      if (left >= 0) {
        const double half = std::sqrt(left);
        low = std::min(low, end.x - half);
        high = std::max(high, end.x + half);
      }
    }
    if (per_dy_ != 0)
      for (const double side : {-1.0, 1.0}) {
        const double t = (y - a_.y - side * across_y_) * per_dy_;
        if (t >= 0 && t <= 1) {
          const double x = a_.x + side * across_x_ + t * dx_;
          low = std::min(low, x);
          high = std::max(high, x);
        }
      }
    return low <= high;
  }

private:
  Point a_, b_;
  double r_, dx_;
  double per_dy_ = 0, across_x_ = 0, across_y_ = 0;
};

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
  const std::size_t size = point_count();
  if (keep == Keep::owners) {
    nearest_.assign(size, static_cast<float>(reach_));
    owner_.assign(size, 0);
    other_.assign(size, static_cast<float>(reach_));
  } else {
    costs_ = true;
    block_columns_ = (columns_ + block_side - 1) / block_side;
    block_numbers_.assign(std::size_t(block_columns_) * ((rows_ + block_side - 1) / block_side), 0);
  }
}

void ZoneGrid::mark_blocks(long first_row, long end_row, double low_x, double high_x) {
  // One column more on each side than the band of any row can reach.
  const long first_column = std::max(0L, long(std::floor((low_x - origin_.x) / spacing_)) - 1);
  const long end_column =
      std::min(long(columns_), long(std::floor((high_x - origin_.x) / spacing_)) + 2);
  if (first_column >= end_column)
    return;
  for (long row = first_row / block_side; row <= (end_row - 1) / block_side; ++row)
    for (long column = first_column / block_side; column <= (end_column - 1) / block_side; ++column)
      block_numbers_[std::size_t(row) * block_columns_ + std::size_t(column)] = 1;
}

void ZoneGrid::make_blocks() {
  std::uint32_t count = 0;
  for (std::uint32_t& number : block_numbers_)
    if (number != 0)
      number = ++count;
  Block empty;
  std::fill(std::begin(empty.nearest2), std::end(empty.nearest2),
            static_cast<float>(reach_ * reach_));
  std::fill(std::begin(empty.reach_cost), std::end(empty.reach_cost), outside);
  blocks_.assign(count, empty);
}

void ZoneGrid::reach_costs_of_row(std::uint32_t row, std::uint32_t first, std::uint32_t end,
                                  float* values) const {
  for (std::uint32_t column = first; column < end;) {
    const std::uint32_t block_end = std::min(end, (column / block_side + 1) * block_side);
    if (const Block* b = block(column, row))
      std::copy(b->reach_cost + in_block(column, row),
                b->reach_cost + in_block(block_end - 1, row) + 1, values + (column - first));
    else
      std::fill(values + (column - first), values + (block_end - first), outside);
    column = block_end;
  }
}

// Keeps, per point, the nearest piece and the nearest of another owner.
inline void ZoneGrid::update(std::size_t at, float distance, std::uint32_t owner) {
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

void ZoneGrid::draw_in_stripes(const std::function<void(Rows)>& draw) {
  // A stripe of fewer points than this is not worth a thread.
  constexpr std::size_t least_points = std::size_t(1) << 14;
  // Stripes hold whole rows of blocks, which each makes for itself.
  const std::uint32_t block_rows = (rows_ + block_side - 1) / block_side;
  const std::size_t workers = std::clamp<std::size_t>(
      std::min<std::size_t>(std::thread::hardware_concurrency(), most_threads), 1,
      std::max<std::size_t>(1, std::min<std::size_t>(block_rows, point_count() / least_points)));
  if (costs_) {
    finding_blocks_ = true;
    draw({0, rows_});
    finding_blocks_ = false;
    make_blocks();
  }
  if (workers == 1) {
    draw({0, rows_});
    return;
  }
  const auto stripe_row = [&](std::size_t worker) {
    return std::min(rows_, std::uint32_t(block_rows * worker / workers) * block_side);
  };
  std::vector<std::exception_ptr> failures(workers);
  const auto draw_stripe = [&](std::size_t worker) {
    try {
      draw({stripe_row(worker), stripe_row(worker + 1)});
    } catch (...) {
      failures[worker] = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(workers);
  for (std::size_t worker = 0; worker < workers; ++worker) {
    // Stripes are apart, so one the system gives no thread for (or no memory to start one) is
    // drawn here instead: the threads already started must be joined whatever happens.
    try {
      threads.emplace_back(draw_stripe, worker);
    } catch (const std::exception&) {
      draw_stripe(worker);
    }
  }
  for (std::thread& thread : threads)
    thread.join();
  for (const std::exception_ptr& failure : failures)
    if (failure)
      std::rethrow_exception(failure);
}

void ZoneGrid::add_segment(Point a, Point b, std::uint32_t owner, float cost_a, float cost_b,
                           Rows rows) {
  const double reach2 = reach_ * reach_, radius2 = radius_ * radius_;
  const double low_y = std::min(a.y, b.y) - reach_, high_y = std::max(a.y, b.y) + reach_;
  const long first_row =
      std::max(long(rows.first), long(std::ceil((low_y - origin_.y) / spacing_)));
  const long end_row =
      std::min(long(rows.end), long(std::floor((high_y - origin_.y) / spacing_)) + 1);
  if (first_row >= end_row)
    return;
  if (finding_blocks_) {
    mark_blocks(first_row, end_row, std::min(a.x, b.x) - reach_ * (1 + 1e-6),
                std::max(a.x, b.x) + reach_ * (1 + 1e-6));
    return;
  }
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  const double per_length2 = length2 > 0 ? 1 / length2 : 0;
  // A point's reach cost changes only where the segment's cheaper end undercuts it; most points
  // near a segment were reached more cheaply by the one before it, and cost nothing more here.
  const float cheaper = std::min(cost_a, cost_b);
  const bool sloped = length2 > 0 && cost_a != cost_b;
  const double rise = double(cost_b) - cost_a;
  // A hair wider than `reach_`, so that rounding never leaves out a point the exact test keeps.
  const Capsule band(a, b, reach_ * (1 + 1e-6));
  const double per_spacing = 1 / spacing_;
  for (long row = first_row; row < end_row; ++row) {
    const double y = origin_.y + row * spacing_;
    // The columns within reach of the segment: a band, not a box, so that the test of each
    // point below hardly ever fails (a failed test is a mispredicted branch).
    double low_x = 0, high_x = 0;
    if (!band.on_row(y, low_x, high_x))
      continue;
    const double first = (low_x - origin_.x) * per_spacing,
                 last = (high_x - origin_.x) * per_spacing;
    if (last < 0 || first >= columns_)
      continue;
    const long whole = long(first); // rounds toward 0: the ceiling of a positive value is one up
    const long first_column = first <= 0 ? 0 : whole + (double(whole) < first);
    const long end_column = std::min(long(columns_), long(last) + 1);
    const std::size_t row_start = std::size_t(row) * columns_;
    const double ey = y - a.y, ey_dy = ey * dy;
    for (long column = first_column; column < end_column; ++column) {
      // Squared distances decide; a root is taken only for a value that is kept.
      const double ex = origin_.x + column * spacing_ - a.x;
      const double along = (ex * dx + ey_dy) * per_length2;
      const double t = std::clamp(along, 0.0, 1.0);
      const double fx = ex - t * dx, fy = ey - t * dy;
      const double d2 = fx * fx + fy * fy;
      if (!costs_) {
        if (d2 < reach2)
          update(row_start + column, static_cast<float>(std::sqrt(d2)), owner);
        continue;
      }
      if (d2 >= reach2)
        continue;
      Block& block =
          blocks_[block_numbers_[block_number_at(std::uint32_t(column), std::uint32_t(row))] - 1];
      const std::uint32_t at = in_block(std::uint32_t(column), std::uint32_t(row));
      // Within the band nearly every point is within reach and nearly none changes: the tests
      // are the branches the processor predicts.
      if (d2 <= radius2 && block.reach_cost[at] > cheaper) {
        // The lowest cost of the segment within the radius of the point: the end toward the
        // cheaper end of the stretch the radius cuts out of the segment.
        float cost = cheaper;
        if (sloped) {
          const double across2 = std::max(0.0, ex * ex + ey * ey - along * along * length2);
          const double half = std::sqrt(std::max(0.0, radius2 - across2) * per_length2);
          const double share =
              cost_b > cost_a ? std::max(0.0, along - half) : std::min(1.0, along + half);
          cost = static_cast<float>(cost_a + share * rise);
        }
        block.reach_cost[at] = std::min(block.reach_cost[at], cost);
      }
      block.nearest2[at] = std::min(block.nearest2[at], static_cast<float>(d2));
    }
  }
}

void ZoneGrid::add_line(std::span<const Point> line, std::uint32_t owner, Rows rows) {
  if (line.size() == 1)
    add_segment(line[0], line[0], owner, 0, 0, rows);
  for (std::size_t k = 1; k < line.size(); ++k)
    add_segment(line[k - 1], line[k], owner, 0, 0, rows);
}

void ZoneGrid::add_reached_line(std::span<const Point> line, std::span<const float> costs,
                                Rows rows) {
  if (line.size() == 1)
    add_segment(line[0], line[0], 1, costs[0], costs[0], rows);
  for (std::size_t k = 1; k < line.size(); ++k)
    add_segment(line[k - 1], line[k], 1, costs[k - 1], costs[k], rows);
}

std::vector<ZoneGrid::Window> ZoneGrid::windows_within(std::span<const double> limits) const {
  // Each point widens the window of the lowest limit that holds it; a window then takes in those
  // of the lower limits.
  std::vector<Window> windows(limits.size());
  for (std::size_t k = 0; k < block_numbers_.size(); ++k) {
    if (block_numbers_[k] == 0)
      continue;
    const Block& block = blocks_[block_numbers_[k] - 1];
    const std::uint32_t first_column = std::uint32_t(k % block_columns_) * block_side;
    const std::uint32_t first_row = std::uint32_t(k / block_columns_) * block_side;
    for (std::uint32_t at = 0; at < block_points; ++at) {
      const float cost = block.reach_cost[at];
      if (cost > limits.back())
        continue;
      const std::uint32_t column = first_column + at % block_side;
      const std::uint32_t row = first_row + at / block_side;
      const auto lowest = std::lower_bound(limits.begin(), limits.end(), double(cost));
      if (lowest == limits.end())
        continue;
      const Window point{column, column + 1, row, row + 1};
      Window& w = windows[std::size_t(lowest - limits.begin())];
      w = w.empty() ? point : w.joined(point);
    }
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
                windows[k],
                [&](std::uint32_t row, std::uint32_t first, std::uint32_t end, float* values) {
                  reach_costs_of_row(row, first, end, values);
                },
                level,
                [&](std::uint32_t column, std::uint32_t row) {
                  return std::sqrt(nearest2(column, row)) - radius;
                }));
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
  const auto value = [&](std::size_t at) {
    const bool owned = owner_[at] == owner;
    const float own = owned ? nearest_[at] : other_[at];
    const float nearest_other = owned ? other_[at] : nearest_[at];
    // A point as near to two owners belongs to the one that holds it (the first to get there),
    // as the sides of a tie on a link do; it must not fall between both.
    const float split = own - nearest_other;
    return std::max(own - radius, owned && split == 0 ? -tie : split);
  };
  return contour(
      window,
      [&](std::uint32_t row, std::uint32_t first, std::uint32_t end, float* values) {
        for (std::uint32_t column = first; column < end; ++column)
          values[column - first] = value(std::size_t(row) * columns_ + column);
      },
      0.0f, [](std::uint32_t, std::uint32_t) { return outside; });
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
  // A row of values from column c0 on, outside beyond the window.
  const auto read_row = [&](long row, std::vector<float>& values) {
    std::fill(values.begin(), values.end(), outside);
    if (row >= long(window.first_row) && row < r1)
      value(std::uint32_t(row), window.first_column, window.end_column, &values[1]);
  };
  const auto fallback_at = [&](long column, long row) -> float {
    return in_window(column, row) ? fallback(std::uint32_t(column), std::uint32_t(row)) : outside;
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

  // Per point of the two rows: 1 when the lower one is inside, 2 when the upper one is. Only a
  // cell whose corners differ holds an outline: runs of cells wholly outside or wholly inside
  // (most of a sparse grid, and the middle of a large zone) are passed over eight at a time.
  std::vector<float> below(width + 1), above(width + 1);
  std::vector<std::uint8_t> corners(width + 8, 0);
  const auto uniform = [](std::uint8_t corner) { return corner == 0 || corner == 3; };
  read_row(r0, below);
  for (long row = r0; row < r1; ++row) {
    read_row(row + 1, above);
    for (std::size_t x = 0; x < width; ++x)
      corners[x] = std::uint8_t((below[x] < level) | (above[x] < level) << 1);
    std::fill(upper_sides.begin(), upper_sides.end(), none);
    std::fill(upright_sides.begin(), upright_sides.end(), none);
    for (long column = c0; column < c1; ++column) {
      const std::size_t x = std::size_t(column - c0);
      // Points x .. x + 8 alike: cells x .. x + 7 hold nothing.
      std::uint64_t here, next;
      std::memcpy(&here, &corners[x], sizeof here);
      std::memcpy(&next, &corners[x + 1], sizeof next);
      if (here == next && uniform(corners[x])) {
        column += 7;
        continue;
      }
      if (corners[x] == corners[x + 1] && uniform(corners[x]))
        continue;
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
