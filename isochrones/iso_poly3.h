#pragma once

#include <cstdint>

#include "isochrones/centre_set_tool.h"

namespace corvane {

// Map tool: the zones of the network nearest to each of several clicked centres. A plain click
// starts a set of centres, Ctrl+click adds one, Shift+click adds the last and calculates: the
// engine divides the network area among the centres by distance (the route type becomes
// shortest and stays so), and the zones become "IsoPoly", cut to the clip layer when the
// isochrone options ask for it, drawn one colour per centre. Every click first removes the
// previous zones.
class IsoPoly3 final : public CentreSetTool {
public:
  IsoPoly3();

private:
  std::int32_t& centre_set_open() override { return CentreSetOpen; }
  void before_click(host::HostMap& map) override;
  void start_set(host::HostMap& map, host::HostPoint& click) override;
  void before_last_centre(host::HostMap& map) override;
  bool calculate(host::HostMap& map, ClickRun& run) override;
  std::vector<std::string_view> scratch_sets() const override;

  // 1 while a set of centres is being clicked; this tool keeps its own, not the shared one.
  std::int32_t CentreSetOpen = 0;
};

} // namespace corvane
