#pragma once

// The reach cost of each point of a zone lattice, for the zones of one set of centres.
//
// Each point keeps, beside its distance to the nearest piece of the reached network, its reach
// cost: the lowest cost of the network within the radius of it. The zone of a limit holds
// exactly the points whose reach cost is within the limit, so every zone is a level line of the
// same sampled costs, drawn in one pass over the network whatever the number of zones. A
// crossing between two reached points lies where the interpolated cost equals the limit; a
// crossing toward a point that no reached network comes near lies where the distance equals the
// radius, as the largest zone's outline does everywhere (zone_contour.h). Crossings of a higher
// limit lie no nearer in on each side, so each outline encloses the one before: zones nest
// without slivers, and where a larger zone adds nothing the two share their outline.
//
// Each segment touches only the band of points within reach of it, row by row, and compares
// squared distances: the field keeps squared distances (a root is taken only where an outline is
// placed), and a point's reach cost is worked out only where the segment's cheaper end undercuts
// it.
//
// The points are kept in square blocks, only those a segment comes within reach of: a long
// network's box is mostly empty, and an empty block costs neither memory nor time. Which blocks
// there are is planned before anything is drawn (ZoneBlockPlan, one quick pass over the lines),
// so that drawing never allocates and stripes of whole block rows never share a block.

#include "geos_geometry.h"
#include "zone_lattice.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace tamix {

// How a lattice's points fall into square blocks: numbered row by row.
struct ZoneBlockLayout {
  static constexpr std::uint32_t side = 16;
  static constexpr std::uint32_t points = side * side;

  explicit ZoneBlockLayout(const ZoneLattice& lattice)
      : columns((lattice.columns() + side - 1) / side),
        count(std::size_t(columns) * ((lattice.rows() + side - 1) / side)) {}
  std::size_t block_at(std::uint32_t column, std::uint32_t row) const {
    return std::size_t(row / side) * columns + column / side;
  }
  static std::uint32_t in_block(std::uint32_t column, std::uint32_t row) {
    return row % side * side + column % side;
  }

  std::uint32_t columns; // blocks in a row
  std::size_t count;     // blocks in all
};

// The blocks that lines will reach into, marked line by line before they are drawn.
class ZoneBlockPlan {
public:
  explicit ZoneBlockPlan(const ZoneLattice& lattice);

  // Marks the blocks of every point within reach of `line` (one point: a single point).
  void add_line(std::span<const Point> line);

  const ZoneLattice& lattice() const { return lattice_; }
  const ZoneBlockLayout& layout() const { return layout_; }
  const std::vector<bool>& marked() const { return marked_; }

private:
  // `rows`: those near the segment (ZoneLattice::rows_near), not empty.
  void add_segment(Point a, Point b, ZoneRows rows);

  ZoneLattice lattice_;
  ZoneBlockLayout layout_;
  std::vector<bool> marked_; // by block number
};

class ZoneCostField {
public:
  // The blocks of `plan`, every point out of reach and without a reach cost.
  explicit ZoneCostField(const ZoneBlockPlan& plan);

  const ZoneLattice& lattice() const { return lattice_; }
  // The reached network runs along `line` (within the plan's lines), its cost at each point of
  // it in `costs` (uniform between them); only the points of `rows` change.
  void add_reached_line(std::span<const Point> line, std::span<const float> costs, ZoneRows rows);

  // The closed rings (the inside on the left) around the places within the radius of the
  // network reached within each of `limits` (ascending), one set of rings per limit, in turn to
  // `each`(k, rings).
  void zones_within(std::span<const double> limits,
                    const std::function<void(std::size_t, geos::Rings)>& each) const;

private:
  struct Block {
    float nearest2[ZoneBlockLayout::points];   // squared distance to the nearest piece
    float reach_cost[ZoneBlockLayout::points]; // lowest cost within the radius (infinite: none)
  };
  // `rows`: those of the stripe near the segment (ZoneLattice::rows_near), not empty.
  void add_segment(Point a, Point b, float cost_a, float cost_b, ZoneRows rows);
  const Block* block(std::uint32_t column, std::uint32_t row) const {
    const std::uint32_t number = block_numbers_[layout_.block_at(column, row)];
    return number == 0 ? nullptr : &blocks_[number - 1];
  }
  // The window of each limit: the points whose reach cost is within it, grown.
  std::vector<ZoneWindow> windows_within(std::span<const double> limits) const;
  // The reach costs of `row` from column `first` to `end` into `values`.
  void reach_costs_of_row(std::uint32_t row, std::uint32_t first, std::uint32_t end,
                          float* values) const;
  float nearest2(std::uint32_t column, std::uint32_t row) const {
    const Block* b = block(column, row);
    return b ? b->nearest2[ZoneBlockLayout::in_block(column, row)]
             : static_cast<float>(lattice_.reach() * lattice_.reach());
  }

  ZoneLattice lattice_;
  ZoneBlockLayout layout_;
  std::vector<std::uint32_t> block_numbers_; // by block number; 0: none, else 1 + place in blocks_
  std::vector<Block> blocks_;
};

} // namespace tamix
