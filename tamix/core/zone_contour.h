#pragma once

// The outline of a level of values sampled on a zone lattice (marching squares).
//
// A point is inside when its value is below the level. The outline crosses each cell side with
// one end inside and one outside, at the point where the value interpolated linearly along the
// side equals the level; within a cell it runs from the crossing where a walk around the cell
// (counter-clockwise) leaves the inside to the one where it enters it again, which keeps the
// inside on the outline's left. Where two opposite corners are inside and two outside, the
// cell's mean decides whether the inside corners join.
//
// Some values are infinite: a point of a zone that no reached network comes near has no reach
// cost. Toward such a point the crossing is placed by a second value, the fallback (its level
// is 0): for zones, the distance to the network less the radius, so that the outline there is
// where the largest zone's is. The fallback does not change with the level, so the crossings and
// joins it decides are the same for every level that has them: zones of higher limits share
// their outline with lower ones wherever they add nothing.
//
// Only the points of a window are read (those beyond it count as outside), and the cells run
// from one point before the window to its last point, so that outlines close. A crossing never
// lies on a point itself, where the outlines of neighbouring cells would touch.

#include "geos_geometry.h"
#include "zone_lattice.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace tamix {

inline constexpr float contour_outside = std::numeric_limits<float>::infinity();

// The closed rings (the inside on the left, the first point again at the end) of the places of
// `window` whose value is below `level`, in the order of the cells they start in (so that they
// come out the same on every run). `read_row`(row, first, end, values) reads the values of `row`
// from column `first` to `end` into `values`; `fallback`(column, row) is the fallback value of a
// point whose value is infinite. (Templates, so that the readers are inlined into the walk: the
// walk is most of a zone's time after the drawing.)
template <class ReadRow, class Fallback>
geos::Rings contour(const ZoneLattice& lattice, const ZoneWindow& window, float level,
                    const ReadRow& read_row, const Fallback& fallback);

namespace contour_detail {

inline constexpr std::uint32_t none = ~std::uint32_t(0);

// The four corners of a cell, counter-clockwise from the lower left, and which are inside. Side
// k runs from corner k to corner k + 1: lower, right, upper, left.
struct ContourCell {
  float value[4];
  bool inside[4];

  ContourCell(const float* below, const float* above, float level)
      : value{below[0], below[1], above[1], above[0]}, inside{value[0] < level, value[1] < level,
                                                              value[2] < level, value[3] < level} {}
  bool uniform() const {
    return inside[0] == inside[1] && inside[1] == inside[2] && inside[2] == inside[3];
  }
  bool crossed(int side) const { return inside[side] != inside[(side + 1) % 4]; }
};

// The lattice's points seen by the outline of one level in one window.
template <class ReadRow, class Fallback> class ContourField {
public:
  ContourField(const ZoneLattice& lattice, const ZoneWindow& window, float level,
               const ReadRow& read_row, const Fallback& fallback)
      : lattice_(lattice), window_(window), level_(level), read_row_(read_row),
        fallback_(fallback) {}

  float level() const { return level_; }
  // The values of `row` from one column before the window on, outside beyond it.
  void read(long row, std::vector<float>& values) const {
    std::fill(values.begin(), values.end(), contour_outside);
    if (row >= long(window_.first_row) && row < long(window_.end_row))
      read_row_(std::uint32_t(row), window_.first_column, window_.end_column, &values[1]);
  }
  float fallback(long column, long row) const {
    return in_window(column, row) ? fallback_(std::uint32_t(column), std::uint32_t(row))
                                  : contour_outside;
  }
  // The crossing on the side from (column, row) to the next point up (`up`) or to the right,
  // whose values are `v_low` and `v_high`. Toward a point without a value the fallback places
  // it; an end without either (outside the window) puts the crossing next to the inside end.
  Point crossing(long column, long row, bool up, float v_low, float v_high) const {
    float t = (level_ - v_low) / (v_high - v_low);
    if (!std::isfinite(v_low) || !std::isfinite(v_high)) {
      const float f_low = fallback(column, row);
      const float f_high = up ? fallback(column, row + 1) : fallback(column + 1, row);
      t = -f_low / (f_high - f_low);
    }
    if (!std::isfinite(t))
      t = v_low < level_ ? 0.0f : 1.0f;
    const double share = std::clamp(double(t), 0.001, 0.999);
    const Point origin = lattice_.origin();
    const double spacing = lattice_.spacing();
    const Point at{origin.x + column * spacing, origin.y + row * spacing};
    return up ? Point{at.x, at.y + share * spacing} : Point{at.x + share * spacing, at.y};
  }
  // Whether the two inside corners of a saddle cell at (column, row) are joined: by the mean of
  // the values, or of the fallbacks where a value is infinite.
  bool joins(const ContourCell& cell, long column, long row) const {
    const float mean = (cell.value[0] + cell.value[1] + cell.value[2] + cell.value[3]) / 4;
    if (std::isfinite(mean))
      return mean < level_;
    return fallback(column, row) + fallback(column + 1, row) + fallback(column + 1, row + 1) +
               fallback(column, row + 1) <
           0;
  }

private:
  bool in_window(long column, long row) const {
    return column >= long(window_.first_column) && column < long(window_.end_column) &&
           row >= long(window_.first_row) && row < long(window_.end_row);
  }

  const ZoneLattice& lattice_;
  const ZoneWindow& window_;
  float level_;
  const ReadRow& read_row_;
  const Fallback& fallback_;
};

// The crossings found so far and how they link into outlines. Within a row of cells the sides'
// crossings are found by the row's own arrays: the upper sides of one row of cells are the
// lower sides of the next.
class ContourLinks {
public:
  explicit ContourLinks(std::size_t cells)
      : lower_(cells, none), upper_(cells, none), upright_(cells + 1, none) {}

  // A new row of cells: its upper and upright sides hold no crossing yet.
  void start_row() {
    std::fill(upper_.begin(), upper_.end(), none);
    std::fill(upright_.begin(), upright_.end(), none);
  }
  // The upper sides become the lower sides of the next row.
  void end_row() { std::swap(lower_, upper_); }

  // Links the crossings of the cell at `x` of the row (column, row of the lattice).
  template <class Field>
  void add_cell(const Field& field, const ContourCell& cell, std::size_t x, long column, long row) {
    std::uint32_t* sides[4] = {&lower_[x], &upright_[x + 1], &upper_[x], &upright_[x]};
    std::uint32_t found[4];
    bool leaves[4];
    int count = 0;
    for (int k = 0; k < 4; ++k) {
      if (!cell.crossed(k))
        continue;
      if (*sides[k] == none) {
        // The side's own lower-left end and its other end, whichever way the walk runs.
        const int next = (k + 1) % 4;
        const bool from_lower_left = k < 2;
        const float v_low = from_lower_left ? cell.value[k] : cell.value[next];
        const float v_high = from_lower_left ? cell.value[next] : cell.value[k];
        *sides[k] = std::uint32_t(crossings_.size());
        crossings_.push_back({field.crossing(k == 1 ? column + 1 : column, k == 2 ? row + 1 : row,
                                             k % 2 == 1, v_low, v_high)});
      }
      found[count] = *sides[k];
      leaves[count] = cell.inside[k];
      ++count;
    }
    const bool joined = count == 4 && field.joins(cell, column, row);
    for (int c = 0; c < count; ++c) {
      if (!leaves[c])
        continue;
      const int to = count == 2 ? (c + 1) % 2 : joined ? (c + 1) % 4 : (c + 3) % 4;
      crossings_[found[c]].next = found[to];
      starts_.push_back(found[c]);
    }
  }

  // The linked crossings as closed rings, each from the first cell it passes through.
  geos::Rings rings() {
    geos::Rings rings;
    for (std::uint32_t start : starts_) {
      if (crossings_[start].used)
        continue;
      std::vector<Point> ring;
      std::uint32_t side = start;
      do {
        Crossing& crossing = crossings_[side];
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

private:
  struct Crossing {
    Point at;
    std::uint32_t next = 0;
    bool used = false;
  };
  std::vector<Crossing> crossings_;
  std::vector<std::uint32_t> starts_; // in cell order
  std::vector<std::uint32_t> lower_, upper_, upright_;
};

} // namespace contour_detail

template <class ReadRow, class Fallback>
geos::Rings contour(const ZoneLattice& lattice, const ZoneWindow& window, float level,
                    const ReadRow& read_row, const Fallback& fallback) {
  using namespace contour_detail;
  const ContourField<ReadRow, Fallback> field(lattice, window, level, read_row, fallback);
  const long c0 = long(window.first_column) - 1, c1 = long(window.end_column);
  const long r0 = long(window.first_row) - 1, r1 = long(window.end_row);
  const std::size_t width = std::size_t(c1 - c0 + 1);
  ContourLinks links(width);

  // Per point of the two rows: 1 when the lower one is inside, 2 when the upper one is. Only a
  // cell whose corners differ holds an outline: runs of cells wholly outside or wholly inside
  // (most of a sparse lattice, and the middle of a large zone) are passed over eight at a time.
  std::vector<float> below(width + 1), above(width + 1);
  std::vector<std::uint8_t> corners(width + 8, 0);
  const auto uniform = [](std::uint8_t corner) { return corner == 0 || corner == 3; };
  field.read(r0, below);
  for (long row = r0; row < r1; ++row) {
    field.read(row + 1, above);
    for (std::size_t x = 0; x < width; ++x)
      corners[x] = std::uint8_t((below[x] < level) | (above[x] < level) << 1);
    links.start_row();
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
      const ContourCell cell(&below[x], &above[x], level);
      if (!cell.uniform())
        links.add_cell(field, cell, x, column, row);
    }
    std::swap(below, above);
    links.end_row();
  }
  return links.rings();
}

} // namespace tamix
