#pragma once

// The sampled distance from the reached network that zone polygons are drawn from.
//
// A zone is every place within the widening radius of the network reached within its limit: the
// union of discs around every reached point. Rather than uniting thousands of widened links
// (seconds on a city), the grid samples, at points half the radius apart, the distance to
// the nearest piece of network added so far, and the zone's outline is the line where that
// distance equals the radius, followed cell by cell (marching squares) with the crossing on each
// cell side placed by linear interpolation. Adding the pieces of each zone in turn only lowers
// distances, and the crossings move outward as distances drop, so each outline encloses the one
// before: zones nest without slivers.
//
// For nearest-centre zones each point also keeps the owner of its nearest piece and the distance
// to the nearest piece of any other owner; an owner's outline is where its own distance equals
// the radius or the distance of the nearest other owner, so two owners' outlines follow the
// same line of equal distance between them.

#include "geos_geometry.h"
#include "graph.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tamix {

class ZoneGrid {
public:
  // Points of the box from `low` to `high`, grown by a margin so that its border lies farther
  // than the radius from anything added inside the box; at most `most_points` of them (a larger
  // box gets a wider spacing). `owners`: keep owners for rings_of_owner.
  ZoneGrid(Point low, Point high, double radius, std::size_t most_points, bool owners);

  // The network of `owner` (1-based) runs along a-b (a == b: a single point).
  void add_segment(Point a, Point b, std::uint32_t owner = 1);
  void add_line(std::span<const Point> line, std::uint32_t owner = 1);

  // Closed rings around the places within the radius of everything added so far, all of which
  // lies in the box from `low` to `high`.
  geos::Rings rings_within_radius(Point low, Point high) const;
  struct Window;
  // Closed rings around the places within the radius that are nearer to the network of `owner`
  // than to any other owner's, looked for in the owner's window. Needs owners.
  geos::Rings rings_of_owner(std::uint32_t owner, const Window& window) const;

  // The point columns and rows [first, end) where `owner` is nearest, grown by two points on
  // every side; empty (first == end) when it owns no point.
  struct Window {
    std::uint32_t first_column = 0, end_column = 0, first_row = 0, end_row = 0;
    bool empty() const { return first_column >= end_column; }
    bool overlaps(const Window& other) const;
  };
  std::vector<Window> owner_windows(std::uint32_t owner_count) const;

private:
  template <class Value> geos::Rings contour(const Window& window, Value value, float level) const;
  Point point(std::uint32_t column, std::uint32_t row) const {
    return {origin_.x + column * spacing_, origin_.y + row * spacing_};
  }
  void update(std::size_t at, float distance, std::uint32_t owner);

  Point origin_;
  double radius_;
  double spacing_;
  double reach_; // distances are exact up to here and capped beyond
  std::uint32_t columns_;
  std::uint32_t rows_;
  std::vector<float> nearest_;
  std::vector<std::uint32_t> owner_; // owner of the nearest piece (0: none near)
  std::vector<float> other_;         // nearest piece of another owner
};

} // namespace tamix
