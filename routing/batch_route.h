#pragma once

#include "command/command_base.h"

namespace corvane {

// The time-distance table between two point layers.
class BatchRoute final : public CommandBase<> {
public:
  BatchRoute();

  // Shows the "BatchRoute" table of the network folder, a table without geometry, in a table
  // window, as the map's only standalone table of that name.
  void OpenTable();

protected:
  void click() override;

private:
  // The layer dialog over the point shapefile layers of the map. False when the map has none
  // (after its message) or the user cancelled.
  bool choose_layers(host::HostMap& map);
  // Shows the output of a completed run: the table, or with route objects the "BatchRoute"
  // layer and its table. False when the network's ".prj" is missing (after its message).
  bool show_output(host::HostMap& map, bool build_objects);
  // Opens a table window on the top layer of the focus map, which the run has just added.
  void ShowBatchRouteLayerTable();
};

} // namespace corvane
