#include "zone_cost_field.h"

#include "zone_contour.h"

#include <algorithm>
#include <cmath>

namespace tamix {

ZoneBlockPlan::ZoneBlockPlan(const ZoneLattice& lattice)
    : lattice_(lattice), layout_(lattice), marked_(layout_.count, false) {}

void ZoneBlockPlan::add_segment(Point a, Point b, ZoneRows rows) {
  // One column more on each side than the band of any row can reach.
  const double reach = lattice_.reach() * (1 + 1e-6);
  const double origin_x = lattice_.origin().x, spacing = lattice_.spacing();
  const long first_column =
      std::max(0L, long(std::floor((std::min(a.x, b.x) - reach - origin_x) / spacing)) - 1);
  const long end_column =
      std::min(long(lattice_.columns()),
               long(std::floor((std::max(a.x, b.x) + reach - origin_x) / spacing)) + 2);
  if (first_column >= end_column)
    return;
  constexpr std::uint32_t side = ZoneBlockLayout::side;
  for (std::uint32_t row = rows.first / side; row <= (rows.end - 1) / side; ++row)
    for (long column = first_column / side; column <= (end_column - 1) / side; ++column)
      marked_[std::size_t(row) * layout_.columns + std::size_t(column)] = true;
}

void ZoneBlockPlan::add_line(std::span<const Point> line) {
  lattice_.for_each_segment_near(line, {0, lattice_.rows()},
                                 [&](std::size_t from, std::size_t to, ZoneRows rows) {
                                   add_segment(line[from], line[to], rows);
                                 });
}

ZoneCostField::ZoneCostField(const ZoneBlockPlan& plan)
    : lattice_(plan.lattice()), layout_(plan.layout()), block_numbers_(layout_.count, 0) {
  std::uint32_t count = 0;
  for (std::size_t k = 0; k < layout_.count; ++k)
    if (plan.marked()[k])
      block_numbers_[k] = ++count;
  Block empty;
  std::fill(std::begin(empty.nearest2), std::end(empty.nearest2),
            static_cast<float>(lattice_.reach() * lattice_.reach()));
  std::fill(std::begin(empty.reach_cost), std::end(empty.reach_cost), contour_outside);
  blocks_.assign(count, empty);
}

void ZoneCostField::add_segment(Point a, Point b, float cost_a, float cost_b, ZoneRows rows) {
  const double reach2 = lattice_.reach() * lattice_.reach();
  const double radius2 = lattice_.radius() * lattice_.radius();
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  const double per_length2 = length2 > 0 ? 1 / length2 : 0;
  // A point's reach cost changes only where the segment's cheaper end undercuts it; most points
  // near a segment were reached more cheaply by the one before it, and cost nothing more here.
  const float cheaper = std::min(cost_a, cost_b);
  const bool sloped = length2 > 0 && cost_a != cost_b;
  const double rise = double(cost_b) - cost_a;
  // The values are taken by copy: a reference to a float would be read again after every store
  // into the blocks, which might change it for all the compiler knows.
  lattice_.for_each_point_near(
      a, b, rows,
      [this, reach2, radius2, length2, per_length2, cheaper, sloped, rise, cost_a,
       cost_b](std::uint32_t row, std::uint32_t column, const NearSegment& near) {
        const double d2 = near.distance2;
        if (d2 >= reach2)
          return;
        Block& block = blocks_[block_numbers_[layout_.block_at(column, row)] - 1];
        const std::uint32_t at = ZoneBlockLayout::in_block(column, row);
        // Within the band nearly every point is within reach and nearly none changes: the tests
        // are the branches the processor predicts.
        if (d2 <= radius2 && block.reach_cost[at] > cheaper) {
          // The lowest cost of the segment within the radius of the point: the end toward the
          // cheaper end of the stretch the radius cuts out of the segment.
          float cost = cheaper;
          if (sloped) {
            const double across2 = std::max(0.0, near.ex * near.ex + near.ey * near.ey -
                                                     near.along * near.along * length2);
            const double half = std::sqrt(std::max(0.0, radius2 - across2) * per_length2);
            const double share = cost_b > cost_a ? std::max(0.0, near.along - half)
                                                 : std::min(1.0, near.along + half);
            cost = static_cast<float>(cost_a + share * rise);
          }
          block.reach_cost[at] = std::min(block.reach_cost[at], cost);
        }
        block.nearest2[at] = std::min(block.nearest2[at], static_cast<float>(d2));
      });
}

void ZoneCostField::add_reached_line(std::span<const Point> line, std::span<const float> costs,
                                     ZoneRows rows) {
  lattice_.for_each_segment_near(line, rows, [&](std::size_t from, std::size_t to, ZoneRows near) {
    add_segment(line[from], line[to], costs[from], costs[to], near);
  });
}

void ZoneCostField::reach_costs_of_row(std::uint32_t row, std::uint32_t first, std::uint32_t end,
                                       float* values) const {
  constexpr std::uint32_t side = ZoneBlockLayout::side;
  for (std::uint32_t column = first; column < end;) {
    const std::uint32_t block_end = std::min(end, (column / side + 1) * side);
    if (const Block* b = block(column, row))
      std::copy(b->reach_cost + ZoneBlockLayout::in_block(column, row),
                b->reach_cost + ZoneBlockLayout::in_block(block_end - 1, row) + 1,
                values + (column - first));
    else
      std::fill(values + (column - first), values + (block_end - first), contour_outside);
    column = block_end;
  }
}

std::vector<ZoneWindow> ZoneCostField::windows_within(std::span<const double> limits) const {
  // Each point widens the window of the lowest limit that holds it; a window then takes in those
  // of the lower limits.
  std::vector<ZoneWindow> windows(limits.size());
  constexpr std::uint32_t side = ZoneBlockLayout::side;
  for (std::size_t k = 0; k < block_numbers_.size(); ++k) {
    if (block_numbers_[k] == 0)
      continue;
    const Block& block = blocks_[block_numbers_[k] - 1];
    const std::uint32_t first_column = std::uint32_t(k % layout_.columns) * side;
    const std::uint32_t first_row = std::uint32_t(k / layout_.columns) * side;
    for (std::uint32_t at = 0; at < ZoneBlockLayout::points; ++at) {
      const float cost = block.reach_cost[at];
      if (cost > limits.back())
        continue;
      const auto lowest = std::lower_bound(limits.begin(), limits.end(), double(cost));
      if (lowest == limits.end())
        continue;
      ZoneWindow& w = windows[std::size_t(lowest - limits.begin())];
      w = ZoneWindow::joined(w, first_column + at % side, first_row + at / side);
    }
  }
  for (std::size_t k = 1; k < windows.size(); ++k)
    if (!windows[k - 1].empty())
      windows[k] = windows[k].empty() ? windows[k - 1] : windows[k].joined(windows[k - 1]);
  for (ZoneWindow& w : windows)
    w = lattice_.grown(w);
  return windows;
}

void ZoneCostField::zones_within(std::span<const double> limits,
                                 const std::function<void(std::size_t, geos::Rings)>& each) const {
  const std::vector<ZoneWindow> windows = windows_within(limits);
  const float radius = float(lattice_.radius());
  for (std::size_t k = 0; k < limits.size(); ++k) {
    if (windows[k].empty()) {
      each(k, {});
      continue;
    }
    // Inside: a reach cost within the limit (as the single-precision costs hold it).
    const float level = std::nextafter(float(limits[k]), contour_outside);
    each(k, contour(
                lattice_, windows[k], level,
                [&](std::uint32_t row, std::uint32_t first, std::uint32_t end, float* values) {
                  reach_costs_of_row(row, first, end, values);
                },
                [&](std::uint32_t column, std::uint32_t row) {
                  return std::sqrt(nearest2(column, row)) - radius;
                }));
  }
}

} // namespace tamix
