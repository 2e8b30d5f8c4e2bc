#pragma once

#include <vector>

#include "isochrones/centre_set_tool.h"

namespace corvane {

// Map tool: which of several clicked centres reaches each link first, and at what cost.
//
// A plain left click starts a new set of centres (clearing the last set's labels, the route
// labels, the single-centre flag and the batch layer), Ctrl+click adds a centre to an open set,
// Shift+click adds the last one and calculates, also with no set open: it then appends to the
// centres left from the last set. Centres are labelled "1", " 2", " 3", ... at their nodes.
// The calculation writes each link's nearest centre into "CV_RESULT" and its cost into "COST"
// (added to the network layer when missing; every link's cost starts from 0, so links no
// longer reached keep no cost of an earlier run), and draws the layer by cost or by nearest
// centre, as the user picks in the Legend dialog, when there are two zones or more.
class IsoLinkMulti final : public CentreSetTool {
public:
  IsoLinkMulti();

private:
  // The cost field must be one the engine can write.
  bool last_centre_usable(host::HostMap& map, host::HostSpatialReference* reference) override;
  void start_set(host::HostMap& map, host::HostPoint& click) override;
  // Solves from the set's centres and writes and draws the results; false when no link was
  // reached (nothing drawn): only a calculation that reached some link stamps the settings file.
  bool calculate(host::HostMap& map, ClickRun& run) override;

  std::vector<float> zone_breaks_;
};

} // namespace corvane
