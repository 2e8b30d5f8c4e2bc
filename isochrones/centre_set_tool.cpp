#include "isochrones/centre_set_tool.h"

#include "common/click_point.h"
#include "common/clip_layer.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/scratch_sets.h"
#include "host/command.h"
#include "isochrones/centre_clicks.h"
#include "isochrones/centre_set.h"
#include "network/state/shared_state.h"

namespace corvane {

CentreSetTool::CentreSetTool(const CommandProperties& properties, const PreCheckVariant& ready,
                             ClickRun::Pointer pointer)
    : ToolBase(properties), ready_(ready), pointer_(pointer) {}

std::int32_t& CentreSetTool::centre_set_open() {
  return shared_state().gCentreSetOpen;
}

bool CentreSetTool::last_centre_usable(host::HostMap& map, host::HostSpatialReference* reference) {
  return ClipLayerUsable(&map, reference, "Clip Layer");
}

bool CentreSetTool::enabled() {
  return network_loaded_or_drop_centres(centre_set_open());
}

void CentreSetTool::mouse_down(long button, long shift, long x, long y) {
  const auto map = focus_map();
  if (!CheckNetworkReady(map.get(), ready_))
    return;
  // From here on a failing host or engine call ends the click with the settings file stamped;
  // only a calculation stamps it otherwise.
  ClickRun run(pointer_);
  const auto reference = GetLayerSpatialReference(NetworkFeatureClass(map.get()).get());
  const auto click = ClickInNetworkCoordinates(document().get(), map.get(), reference.get(), x, y);
  const bool left = button == host::LeftButton;
  const bool last = left && shift == host::ShiftKey;
  if (last && !last_centre_usable(*map, reference.get())) {
    run.end_without_result();
    return;
  }
  before_click(*map);
  if (left && shift == 0) {
    start_set(*map, *click);
  } else if (left && shift == host::CtrlKey && centre_set_open() == 1) {
    AddCentre(*map, *click, false);
  } else if (last) {
    before_last_centre(*map);
    // A centre past the list's end is refused with a message, and the set is not calculated
    // without it.
    bool calculated = false;
    if (AddCentre(*map, *click, true))
      RunRemovingScratchSets(scratch_sets(), [&] { calculated = calculate(*map, run); });
    if (calculated)
      return;
  }
  run.end_without_result();
}

} // namespace corvane
