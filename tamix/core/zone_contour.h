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

#include <cstdint>
#include <functional>
#include <limits>

namespace tamix {

inline constexpr float contour_outside = std::numeric_limits<float>::infinity();

// Reads the values of `row` from column `first` to `end` into `values`.
using ContourRow =
    std::function<void(std::uint32_t row, std::uint32_t first, std::uint32_t end, float* values)>;
// The fallback value of a point whose value is infinite.
using ContourFallback = std::function<float(std::uint32_t column, std::uint32_t row)>;

// The closed rings (the inside on the left, the first point again at the end) of the places of
// `window` whose value is below `level`, in the order of the cells they start in (so that they
// come out the same on every run).
geos::Rings contour(const ZoneLattice& lattice, const ZoneWindow& window, float level,
                    const ContourRow& read_row, const ContourFallback& fallback);

} // namespace tamix
