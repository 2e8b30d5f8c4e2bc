#pragma once

#include <cstdint>

#include "command/command_base.h"
#include "host/geometry.h"
#include "host/map.h"
#include "isochrones/click_run.h"

namespace corvane {

// Map tool: the zones of the network nearest to each of several clicked centres. A plain click
// starts a set of centres, Ctrl+click adds one, Shift+click adds the last and calculates: the
// engine divides the network area among the centres by distance (the route type becomes
// shortest and stays so), and the zones become "IsoPoly", cut to the clip layer when the
// isochrone options ask for it, drawn one colour per centre. Every click first removes the
// previous zones.
class IsoPoly3 final : public ToolBase {
public:
  IsoPoly3();

protected:
  // A set of centres left open is dropped once no network is loaded.
  bool enabled() override;
  void mouse_down(long button, long shift, long x, long y) override;

private:
  void start_set(host::HostMap& map, host::HostPoint& click);
  void calculate(host::HostMap& map, ClickRun& run);

  // 1 while a set of centres is being clicked; this tool keeps its own, not the shared one.
  std::int32_t CentreSetOpen = 0;
};

} // namespace corvane
