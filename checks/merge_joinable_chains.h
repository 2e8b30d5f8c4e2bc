#pragma once

// The join of pseudo-node removal: every chain of links the engine numbered in "CV_RESULT" is
// united into as few features of the network layer as its links allow.
//
// Per chain, in the order its links come from the layer: passes from a start slot s make the
// first link left the base and join each later link that meets the base's line at an end point;
// a pass that joins something starts again at s, one that joins nothing moves s on. So with the
// links of a line given as first, third, second, the first pass joins the second to the first,
// and the next pass the third. A united run takes the attributes of its base, the first link of
// the run in the chain's order, and keeps the base's direction.
//
// The chains are gathered in one pass over the layer and joined in memory; the network
// shapefile is then rewritten once, all or nothing (host::HostLineMerge).

#include <cstdint>
#include <vector>

#include "host/map.h"

namespace corvane {

// The runs of one chain: each lists its links' feature ids in join order, base first; links
// that joined nothing are left out.
struct ChainLink {
  std::int32_t id;
  double from_x, from_y, to_x, to_y;
};
std::vector<std::vector<std::int32_t>> JoinRuns(const std::vector<ChainLink>& chain);

enum class MergeOutcome { NothingToJoin, Merged, Failed };

// Reports "No links found that can be joined" when no chain could be joined; a failure is told
// to the user (the network files are then as they were) after the join column file is deleted
// and the settings file stamped.
MergeOutcome MergeJoinableChains(host::HostMap* map);

} // namespace corvane
