#pragma once

#include "command/command_base.h"
#include "host/geometry.h"
#include "host/map.h"
#include "isochrones/click_run.h"

namespace corvane {

// Map tool: the zone polygons around several clicked centres. A plain click starts a set of
// centres, Ctrl+click adds one, Shift+click adds the last and calculates "IsoPoly": without
// overlap (gAllowOverlap 1) one polygon per zone reached from any centre; with overlap (2) the
// zones of every centre, one after the other, with their centre in "ID". Cut to the clip layer
// when the isochrone options ask for it, drawn one colour per zone.
class MultyPoly final : public ToolBase {
public:
  MultyPoly();

protected:
  // A set of centres left open is dropped once no network is loaded.
  bool enabled() override;
  void mouse_down(long button, long shift, long x, long y) override;

private:
  void start_set(host::HostMap& map, host::HostPoint& click);
  void calculate(host::HostMap& map, ClickRun& run);
};

} // namespace corvane
