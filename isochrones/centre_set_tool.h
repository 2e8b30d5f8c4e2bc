#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "command/command_base.h"
#include "common/check_network_ready.h"
#include "host/geometry.h"
#include "host/map.h"
#include "host/spatial_reference.h"
#include "isochrones/click_run.h"

namespace corvane {

// The frame of the map tools that calculate from a set of clicked centres. A click that passes
// the network pre-check (`ready`) becomes a click run (ClickRun, the pointer busy as `pointer`
// says) at the clicked point in the network's coordinates: a plain left click starts a set,
// Ctrl+click adds a centre to an open set, Shift+click adds the last one and calculates. Any
// other click, and a click that calculates nothing, ends without a stamp.
class CentreSetTool : public ToolBase {
protected:
  CentreSetTool(const CommandProperties& properties, const PreCheckVariant& ready,
                ClickRun::Pointer pointer = ClickRun::Pointer::BusyNow);

  // A set of centres left open is dropped once no network is loaded.
  bool enabled() final;

  // 1 while a set of centres is being clicked: the one flag the tools share (gCentreSetOpen),
  // unless a tool keeps its own.
  virtual std::int32_t& centre_set_open();
  // Whether a Shift+click may go on, tested before anything of the run has changed: false once
  // the user is told what stands in the way. `reference` is the network's coordinate system.
  // The zone-polygon tools need a clip layer that can cut their zones (ClipLayerUsable), so that
  // the set stays open for a Shift+click once the clip layer is mended.
  virtual bool last_centre_usable(host::HostMap& map, host::HostSpatialReference* reference);
  // Every click that passed the checks first does this.
  virtual void before_click(host::HostMap& /*map*/) {}
  // Clears the last set's labels and results and begins a new set with the clicked centre.
  virtual void start_set(host::HostMap& map, host::HostPoint& click) = 0;
  // Every Shift+click that passed the checks does this before its centre is added.
  virtual void before_last_centre(host::HostMap& /*map*/) {}
  // Calculates from the whole set: false when the run ends without a result to stamp.
  virtual bool calculate(host::HostMap& map, ClickRun& run) = 0;
  // The sets the calculation passes its zones through, which go however it ends.
  virtual std::vector<std::string_view> scratch_sets() const { return {}; }

private:
  void mouse_down(long button, long shift, long x, long y) final;

  const PreCheckVariant ready_;
  const ClickRun::Pointer pointer_;
};

} // namespace corvane
