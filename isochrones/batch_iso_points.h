#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/batch_point_reader.h"
#include "host/map.h"
#include "host/spatial_reference.h"
#include "host/table.h"

namespace corvane {

// The points of a batch isochrone run, read by feature id with a progress dialog that Esc
// cancels between points. Each usable point is snapped to its nearest network node, flagged
// there ("IsoPoly") and kept in gBatchIsoPoints; a point with an empty shape or one the engine
// cannot snap is left out with a line in `problems`.
struct BatchIsoCollection {
  std::vector<BatchPoint> points;
  bool cancelled = false;

  // The points' nodes, in order: the stops of a run from all of them.
  std::vector<std::int32_t> nodes() const;
};

// What a mode's own work on one point came to.
struct PointWorked {
  // Not empty: the point gave nothing, for this reason, which its problem line names.
  std::string left_out_because;
  // No further point is read.
  bool stop = false;
};

// Removes the flags of the last run (gBatchIsoPoints, in the network's coordinates) and empties
// the list.
void RemoveBatchIsoFlags(host::HostMap* map, host::HostSpatialReference* network_reference);

// Reads the `count` points of `layer` (label values from `label_field`, none when empty) and
// calls `per_point` with each usable point as it is collected: a point it leaves out gets its
// problem line and is not among the points collected; it may stop the reading. No point is
// read when the engine has no node index and cannot make one (after its message). A failing
// host call ends the handler.
BatchIsoCollection
CollectBatchIsoPoints(host::HostMap* map, host::HostFeatureClass& layer, std::int32_t count,
                      const std::string& label_field, host::HostSpatialReference* network_reference,
                      std::vector<std::string>& problems,
                      const std::function<PointWorked(const BatchPoint&)>& per_point = {});

} // namespace corvane
