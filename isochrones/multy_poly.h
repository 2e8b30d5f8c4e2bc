#pragma once

#include "isochrones/centre_set_tool.h"

namespace corvane {

// Map tool: the zone polygons around several clicked centres. A plain click starts a set of
// centres, Ctrl+click adds one, Shift+click adds the last and calculates "IsoPoly": without
// overlap (Overlap::None) one polygon per zone reached from any centre; with overlap
// (Overlap::Allowed) the zones of every centre, one after the other, with their centre in "ID". Cut
// to the clip layer when the isochrone options ask for it, drawn one colour per zone.
class MultyPoly final : public CentreSetTool {
public:
  MultyPoly();

private:
  void start_set(host::HostMap& map, host::HostPoint& click) override;
  void before_last_centre(host::HostMap& map) override;
  bool calculate(host::HostMap& map, ClickRun& run) override;
  std::vector<std::string_view> scratch_sets() const override;
};

} // namespace corvane
