#pragma once

#include <vector>

#include "command/command_base.h"
#include "isochrones/click_run.h"
#include "isochrones/iso_poly_interface.h"

namespace corvane {

// Map tool: the zone polygons around one clicked centre. Every click, with any button or
// modifier, is one whole run: the nearest node becomes the centre (the "IsoPoly" flag), the
// engine writes one polygon per zone of the zone list (rings with the doughnut option), and they
// become the shapefile "IsoPoly" of the network folder, smallest zone first, cut to the clip
// layer when the isochrone options ask for it, drawn one colour per zone. A client may draw
// the output in cost bands instead (IIsoPoly).
class IsoPoly final : public ToolWith<IIsoPoly> {
public:
  IsoPoly();

  com::HRESULT ClassifyManual2(std::int32_t* count) override;

protected:
  void mouse_down(long button, long shift, long x, long y) override;

private:
  void run(ClickRun& click, long x, long y);

  // The zone limits the last run drew (ClassifyManual2 draws them too).
  std::vector<float> zone_limits_;
};

} // namespace corvane
