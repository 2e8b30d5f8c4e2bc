#pragma once

// The lattice of sample points that zone polygons are drawn on.
//
// A zone is every place within the widening radius of the network reached within its limit: the
// union of discs around every reached point. Rather than uniting thousands of widened links
// (seconds on a city), the network is sampled at points half the radius apart: a field over the
// lattice keeps at each point the distance to the nearest piece of network and what the zone
// needs besides (the reach cost, zone_cost_field.h, or the nearest owner, zone_owner_field.h),
// and the zone's outline is followed cell by cell with the crossing on each cell side placed by
// linear interpolation (zone_contour.h). The network is drawn into a field in stripes of rows
// (zone_stripes.h).
//
// The lattice is the points `spacing` apart in columns and rows from an origin, over the box of
// what is drawn grown by a margin, and the windows of columns and rows an outline is looked for
// in.
//
// The margin is what makes the outlines close and come out right: a point next to one within
// the radius is never farther than two spacings beyond the radius from what is drawn, so
// distances are kept exactly up to there (the reach) and capped beyond; the border of the
// lattice lies a spacing farther still, out of reach of anything in the box, so no outline ever
// meets it.

#include "graph.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace tamix {

// Rows [first, end) of points.
struct ZoneRows {
  std::uint32_t first = 0, end = 0;
};

// The point columns and rows [first, end) an outline is looked for in; empty when first == end.
struct ZoneWindow {
  std::uint32_t first_column = 0, end_column = 0, first_row = 0, end_row = 0;
  bool empty() const { return first_column >= end_column; }
  bool overlaps(const ZoneWindow& other) const;
  ZoneWindow joined(const ZoneWindow& other) const;
  // `window` with the point at `column`, `row`.
  static ZoneWindow joined(const ZoneWindow& window, std::uint32_t column, std::uint32_t row);
};

// What one point of the lattice sees of a segment near it: its offset from the segment's start,
// how far along the segment (0 at the start, 1 at the end, beyond on either side) its foot
// falls, and its squared distance to the segment.
struct NearSegment {
  double ex, ey, along, distance2;
};

class ZoneLattice {
public:
  // Points over the box from `low` to `high` grown by the margin, at most `most_points` of them
  // (a larger box gets a wider spacing than half the radius). Raises out_of_bounds for a radius
  // that is not positive.
  ZoneLattice(Point low, Point high, double radius, std::size_t most_points);

  Point origin() const { return origin_; } // the point of column 0, row 0
  double radius() const { return radius_; }
  double spacing() const { return spacing_; }
  // Distances are exact up to here and capped beyond.
  double reach() const { return reach_; }
  std::uint32_t columns() const { return columns_; }
  std::uint32_t rows() const { return rows_; }
  std::size_t point_count() const { return std::size_t(columns_) * rows_; }
  Point point(std::uint32_t column, std::uint32_t row) const {
    return {origin_.x + column * spacing_, origin_.y + row * spacing_};
  }
  // By two points on every side, within the lattice: the cells around every point of the window
  // are looked at, and the outline through them closes.
  ZoneWindow grown(ZoneWindow window) const;

  // The rows of `within` that hold a point within reach of the segment from `a` to `b` (empty:
  // first >= end). Most segments are far from most stripes, so this comes first, before anything
  // else is worked out for a segment.
  ZoneRows rows_near(Point a, Point b, ZoneRows within) const {
    const double low_y = std::min(a.y, b.y) - reach_, high_y = std::max(a.y, b.y) + reach_;
    const long first =
        std::max(long(within.first), long(std::ceil((low_y - origin_.y) / spacing_)));
    const long end =
        std::min(long(within.end), long(std::floor((high_y - origin_.y) / spacing_)) + 1);
    if (first >= end)
      return {};
    return {std::uint32_t(first), std::uint32_t(end)};
  }
  // Calls `add`(from, to, near) for the segments of `line` from point `from` to point `to` (a
  // line of one point: one segment from it to itself) that come near rows of `within`, `near`
  // those rows. Most segments are far from most stripes: they are passed over here.
  template <class Add>
  void for_each_segment_near(std::span<const Point> line, ZoneRows within, Add add) const {
    const auto near = [&](std::size_t from, std::size_t to) {
      const ZoneRows rows = rows_near(line[from], line[to], within);
      if (rows.first < rows.end)
        add(from, to, rows);
    };
    if (line.size() == 1)
      near(0, 0);
    for (std::size_t k = 1; k < line.size(); ++k)
      near(k - 1, k);
  }
  // Calls `visit`(row, column, NearSegment) for the points of `rows` (as rows_near gives them)
  // near the segment from `a` to `b`: every point within reach of it, and a few just beyond (the
  // caller compares the squared distance), row by row from left to right.
  template <class Visit>
  void for_each_point_near(Point a, Point b, ZoneRows rows, Visit visit) const;

private:
  Point origin_;
  double radius_;
  double spacing_;
  double reach_;
  std::uint32_t columns_;
  std::uint32_t rows_;
};

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

template <class Visit>
void ZoneLattice::for_each_point_near(Point a, Point b, ZoneRows rows, Visit visit) const {
  const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
  const double per_length2 = length2 > 0 ? 1 / length2 : 0;
  // A hair wider than the reach, so that rounding never leaves out a point the exact test keeps.
  const Capsule band(a, b, reach_ * (1 + 1e-6));
  const double per_spacing = 1 / spacing_;
  for (std::uint32_t row = rows.first; row < rows.end; ++row) {
    const double y = origin_.y + row * spacing_;
    // The columns within reach of the segment: a band, not a box, so that the caller's test of
    // each point hardly ever fails (a failed test is a mispredicted branch).
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
    const double ey = y - a.y, ey_dy = ey * dy;
    for (long column = first_column; column < end_column; ++column) {
      // Squared distances decide; a root is taken only for a value that is kept.
      const double ex = origin_.x + column * spacing_ - a.x;
      const double along = (ex * dx + ey_dy) * per_length2;
      const double t = std::clamp(along, 0.0, 1.0);
      const double fx = ex - t * dx, fy = ey - t * dy;
      visit(row, std::uint32_t(column), NearSegment{ex, ey, along, fx * fx + fy * fy});
    }
  }
}

} // namespace tamix
