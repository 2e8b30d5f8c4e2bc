#pragma once

// The sampled network that zone polygons are drawn from.
//
// A zone is every place within the widening radius of the network reached within its limit: the
// union of discs around every reached point. Rather than uniting thousands of widened links
// (seconds on a city), the grid samples, at points half the radius apart, the distance to the
// nearest piece of network, and the zone's outline is followed cell by cell (marching squares)
// with the crossing on each cell side placed by linear interpolation.
//
// For the zones of one centre each point keeps, beside its distance, its reach cost: the lowest
// cost of the network within the radius of it. The zone of a limit holds exactly the points whose
// reach cost is within the limit, so every zone is a level line of the same sampled costs, drawn
// in one pass over the network whatever the number of zones. A crossing between two reached
// points lies where the interpolated cost equals the limit; a crossing toward a point that no
// reached network comes near lies where the distance equals the radius, as the largest zone's
// outline does everywhere. Crossings of a higher limit lie no nearer in on each side, so each
// outline encloses the one before: zones nest without slivers, and where a larger zone adds
// nothing the two share their outline.
//
// Drawing the network is most of a zone's time, so each segment touches only the band of points
// within reach of it, row by row, and compares squared distances: the grid of reach costs keeps
// squared distances (a root is taken only where an outline is placed), and a point's reach cost
// is worked out only where the segment's cheaper end undercuts it. The rows are drawn in stripes
// on threads of their own; a point belongs to one stripe and sees the segments in their order.
//
// For nearest-centre zones each point also keeps the owner of its nearest piece and the distance
// to the nearest piece of any other owner; an owner's outline is where its own distance equals
// the radius or the distance of the nearest other owner, so two owners' outlines follow the
// same line of equal distance between them.

#include "geos_geometry.h"
#include "graph.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace tamix {

class ZoneGrid {
public:
  // What the points keep besides their distance: reach costs for zones_within, owners for
  // rings_of_owner.
  enum class Keep { reach_costs, owners };
  // Points of the box from `low` to `high`, grown by a margin so that its border lies farther
  // than the radius from anything added inside the box; at most `most_points` of them (a larger
  // box gets a wider spacing).
  ZoneGrid(Point low, Point high, double radius, std::size_t most_points, Keep keep);

  // Rows [first, end) of points.
  struct Rows {
    std::uint32_t first = 0, end = 0;
  };
  // Calls `draw` for stripes of rows that together cover the grid, on threads of their own when
  // the grid is large enough to pay for them; `draw` adds the whole network with the lines
  // below, each limited to the stripe's rows. A point is only ever changed by its own stripe and
  // meets the lines in the order `draw` adds them, so the outcome is the same on any number of
  // threads.
  void draw_in_stripes(const std::function<void(Rows)>& draw);
  // The network of `owner` (1-based) runs along `line` (one point: a single point).
  void add_line(std::span<const Point> line, std::uint32_t owner, Rows rows);
  // The reached network runs along `line`, its cost at each point of it in `costs` (uniform
  // between them).
  void add_reached_line(std::span<const Point> line, std::span<const float> costs, Rows rows);

  // Sample points of the grid, each holding a distance and a reach cost or an owner.
  std::size_t point_count() const { return std::size_t(columns_) * rows_; }

  struct Window;
  // The closed rings around the places within the radius of the network reached within each of
  // `limits` (ascending), one set of rings per limit, in turn to `each`(k, rings). Needs reach
  // costs.
  void zones_within(std::span<const double> limits,
                    const std::function<void(std::size_t, geos::Rings)>& each) const;
  // Closed rings around the places within the radius that are nearer to the network of `owner`
  // than to any other owner's, looked for in the owner's window. Needs owners.
  geos::Rings rings_of_owner(std::uint32_t owner, const Window& window) const;

  // The point columns and rows [first, end) where `owner` is nearest, grown by two points on
  // every side; empty (first == end) when it owns no point.
  struct Window {
    std::uint32_t first_column = 0, end_column = 0, first_row = 0, end_row = 0;
    bool empty() const { return first_column >= end_column; }
    bool overlaps(const Window& other) const;
    Window joined(const Window& other) const;
  };
  std::vector<Window> owner_windows(std::uint32_t owner_count) const;

private:
  // Marching squares: `value`(row, first column, end column, values) reads a row's values,
  // `level` is the outline's, and `fallback`(column, row) (level 0) places a crossing toward a
  // point whose value is infinite.
  template <class Value, class Fallback>
  geos::Rings contour(const Window& window, Value value, float level, Fallback fallback) const;
  void add_segment(Point a, Point b, std::uint32_t owner, float cost_a, float cost_b, Rows rows);
  Point point(std::uint32_t column, std::uint32_t row) const {
    return {origin_.x + column * spacing_, origin_.y + row * spacing_};
  }
  void update(std::size_t at, float distance, std::uint32_t owner);
  std::vector<Window> windows_within(std::span<const double> limits) const;
  Window grown(Window window) const; // by two points on every side, within the grid

  Point origin_;
  double radius_;
  double spacing_;
  double reach_; // distances are exact up to here and capped beyond
  std::uint32_t columns_;
  std::uint32_t rows_;
  std::vector<float> nearest_;       // distance to the nearest piece (with owners)
  std::vector<std::uint32_t> owner_; // owner of the nearest piece (0: none near)
  std::vector<float> other_;         // nearest piece of another owner

  // With reach costs the points are kept in square blocks, only those a segment comes within
  // reach of: a long network's box is mostly empty, and an empty block costs neither memory nor
  // time. The blocks are found in a first quick pass over the network and held in one array.
  static constexpr std::uint32_t block_side = 16;
  static constexpr std::uint32_t block_points = block_side * block_side;
  struct Block {
    float nearest2[block_points];   // squared distance to the nearest piece
    float reach_cost[block_points]; // lowest cost within the radius (infinite: none)
  };
  bool costs_ = false;
  bool finding_blocks_ = false; // the first pass: add_segment marks the blocks it would change
  std::uint32_t block_columns_ = 0;
  std::vector<std::uint32_t> block_numbers_; // row by row; 0: none, else 1 + place in blocks_
  std::vector<Block> blocks_;
  std::size_t block_number_at(std::uint32_t column, std::uint32_t row) const {
    return std::size_t(row / block_side) * block_columns_ + column / block_side;
  }
  const Block* block(std::uint32_t column, std::uint32_t row) const {
    const std::uint32_t number = block_numbers_[block_number_at(column, row)];
    return number == 0 ? nullptr : &blocks_[number - 1];
  }
  void mark_blocks(long first_row, long end_row, double low_x, double high_x);
  void make_blocks();
  static std::uint32_t in_block(std::uint32_t column, std::uint32_t row) {
    return row % block_side * block_side + column % block_side;
  }
  // The reach costs of `row` from column `first` to `end` into `values`.
  void reach_costs_of_row(std::uint32_t row, std::uint32_t first, std::uint32_t end,
                          float* values) const;
  float nearest2(std::uint32_t column, std::uint32_t row) const {
    const Block* b = block(column, row);
    return b ? b->nearest2[in_block(column, row)] : static_cast<float>(reach_ * reach_);
  }
};

} // namespace tamix
