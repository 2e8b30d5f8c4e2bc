#pragma once

// Which centre's network is nearest each point of a zone lattice, for nearest-centre zones.
//
// Each point keeps the distance to the nearest piece of network, the owner of that piece, and the
// distance to the nearest piece of any other owner. An owner's outline is where its own distance
// equals the radius or the distance of the nearest other owner, so two owners' outlines follow
// the same line of equal distance between them.

#include "geos_geometry.h"
#include "zone_lattice.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tamix {

class ZoneOwnerField {
public:
  explicit ZoneOwnerField(const ZoneLattice& lattice);

  const ZoneLattice& lattice() const { return lattice_; }
  // The network of `owner` (1-based) runs along `line` (one point: a single point); only the
  // points of `rows` change.
  void add_line(std::span<const Point> line, std::uint32_t owner, ZoneRows rows);

  // For each owner below `owner_count`, the window of the points within the radius where it is
  // nearest, grown (ZoneLattice::grown); empty when it owns no point.
  std::vector<ZoneWindow> owner_windows(std::uint32_t owner_count) const;
  // Closed rings (the inside on the left) around the places within the radius that are nearer
  // to the network of `owner` than to any other owner's, looked for in `window`.
  geos::Rings rings_of_owner(std::uint32_t owner, const ZoneWindow& window) const;

private:
  // `rows`: those of the stripe near the segment (ZoneLattice::rows_near), not empty.
  void add_segment(Point a, Point b, std::uint32_t owner, ZoneRows rows);
  void update(std::size_t at, float distance, std::uint32_t owner);

  ZoneLattice lattice_;
  std::vector<float> nearest_;       // distance to the nearest piece
  std::vector<std::uint32_t> owner_; // owner of the nearest piece (0: none near)
  std::vector<float> other_;         // distance to the nearest piece of another owner
};

} // namespace tamix
