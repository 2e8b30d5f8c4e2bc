#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/spatial_reference.h"
#include "host/table.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {

// The engine's "BatchRoute" output table in gNetworkFolder while a run writes it, with its five
// fields: "FromPoint" (text 40), "ToPoint" (text 50), "Distance" and "Time" (numbers) and
// "Comments" (text 50). The engine deletes every file of an earlier table first. However the
// run ends, the table is closed, so the rows written so far always form a valid table.
class BatchOutputTable {
public:
  explicit BatchOutputTable(tamix::NetCalc& calc);
  ~BatchOutputTable();
  BatchOutputTable(const BatchOutputTable&) = delete;
  BatchOutputTable& operator=(const BatchOutputTable&) = delete;

  // The engine code of the table's creation: anything but 0 means there is no table.
  std::int32_t creation_code() const { return creation_code_; }
  void close();

private:
  tamix::NetCalc& calc_;
  std::int32_t creation_code_;
  bool open_;
};

// One side of a batch run: a point layer and the field that labels its points.
struct BatchLayer {
  host::HostFeatureClass* features = nullptr;
  std::string name;
  std::string label_field;
};

struct BatchRouteRequest {
  BatchLayer from;
  BatchLayer to;
  // The two sides are one layer: with both_ways off each pair is computed once, from the point
  // with the smaller feature id.
  bool same_layer = false;
  bool both_ways = false;
  // Each row also gets its route as a line, built from the links of its path.
  bool build_objects = false;
  host::HostSpatialReference* network_reference = nullptr;
  std::int32_t route_type = 0;
};

// Failed: the engine could not make its node index (the user has been told).
enum class BatchRunEnd { Completed, Cancelled, Failed };

// Writes into the open output table one row per connected pair of a from-point and a to-point
// at different nodes, from-points and to-points in feature order. Each from-point is solved once
// to the whole network; every to-point is snapped once before. Points with an empty shape and
// pairs that are not connected add their lines to `problems` ("A To B(Points are not
// connected)"), and so do points the engine cannot snap, with its error text. The progress dialog
// shows the from-points done; once the user has pressed Esc the run stops before the next pair.
BatchRunEnd WriteBatchRouteRows(const BatchRouteRequest& request, tamix::NetBase& base,
                                tamix::NetCalc& calc, std::vector<std::string>& problems);

} // namespace corvane
