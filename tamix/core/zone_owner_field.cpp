#include "zone_owner_field.h"

#include "zone_contour.h"

#include <limits>

namespace tamix {
namespace {

constexpr float tie = std::numeric_limits<float>::min();

} // namespace

ZoneOwnerField::ZoneOwnerField(const ZoneLattice& lattice)
    : lattice_(lattice), nearest_(lattice.point_count(), static_cast<float>(lattice.reach())),
      owner_(lattice.point_count(), 0),
      other_(lattice.point_count(), static_cast<float>(lattice.reach())) {}

inline void ZoneOwnerField::update(std::size_t at, float distance, std::uint32_t owner) {
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

void ZoneOwnerField::add_segment(Point a, Point b, std::uint32_t owner, ZoneRows rows) {
  const double reach2 = lattice_.reach() * lattice_.reach();
  const std::size_t columns = lattice_.columns();
  // Taken by copy: a reference to the owner would be read again after every store of an owner.
  lattice_.for_each_point_near(a, b, rows,
                               [this, reach2, columns, owner](std::uint32_t row,
                                                              std::uint32_t column,
                                                              const NearSegment& near) {
                                 if (near.distance2 < reach2)
                                   update(std::size_t(row) * columns + column,
                                          static_cast<float>(std::sqrt(near.distance2)), owner);
                               });
}

void ZoneOwnerField::add_line(std::span<const Point> line, std::uint32_t owner, ZoneRows rows) {
  lattice_.for_each_segment_near(line, rows, [&](std::size_t from, std::size_t to, ZoneRows near) {
    add_segment(line[from], line[to], owner, near);
  });
}

std::vector<ZoneWindow> ZoneOwnerField::owner_windows(std::uint32_t owner_count) const {
  std::vector<ZoneWindow> windows(owner_count);
  const float radius = float(lattice_.radius());
  for (std::uint32_t row = 0; row < lattice_.rows(); ++row)
    for (std::uint32_t column = 0; column < lattice_.columns(); ++column) {
      const std::size_t at = std::size_t(row) * lattice_.columns() + column;
      const std::uint32_t owner = owner_[at];
      if (owner >= owner_count || nearest_[at] > radius)
        continue;
      windows[owner] = ZoneWindow::joined(windows[owner], column, row);
    }
  for (ZoneWindow& w : windows)
    w = lattice_.grown(w);
  return windows;
}

geos::Rings ZoneOwnerField::rings_of_owner(std::uint32_t owner, const ZoneWindow& window) const {
  if (window.empty())
    return {};
  const float radius = float(lattice_.radius());
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
  const std::size_t columns = lattice_.columns();
  return contour(
      lattice_, window, 0.0f,
      [&](std::uint32_t row, std::uint32_t first, std::uint32_t end, float* values) {
        for (std::uint32_t column = first; column < end; ++column)
          values[column - first] = value(std::size_t(row) * columns + column);
      },
      [](std::uint32_t, std::uint32_t) { return contour_outside; });
}

} // namespace tamix
