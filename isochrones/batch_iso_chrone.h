#pragma once

#include <cstdint>

#include "command/command_base.h"
#include "host/layer.h"
#include "host/map.h"

namespace corvane {

// Isochrones for every point of a point layer in one run: zone polygons, link isochrones on the
// network layer or nearest-centre zones, as the user chooses in "Batch Isochrones". Each point
// is snapped to its nearest node and flagged there; the run shows a progress dialog that Esc
// cancels between points, leaving the output of the points done, and lists at its end the
// points it had to leave out.
class BatchIsoChrone final : public CommandBase<> {
public:
  BatchIsoChrone();

  // The most points one run takes (the rows of gBatchIsoPoints).
  static constexpr std::int32_t MaxPoints = 1001;

protected:
  void click() override;

private:
  // The dialog over the point shapefile layers of the map: false when the map has none (after
  // its message) or the user did not confirm.
  bool choose_points(host::HostMap& map);
  // The chosen point layer, when the run may use it: null after a message when it is gone, is
  // named like an output of the run, lacks the chosen field, or holds more points than a run
  // takes.
  com::ComPtr<host::HostFeatureLayer> chosen_layer(host::HostMap& map, std::int32_t& count);
};

} // namespace corvane
