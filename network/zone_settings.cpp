#include "network/zone_settings.h"

#include "dialogs/network/frm_isochrone.h"
#include "network/state/shared_state.h"
#include "network/state/zone_limits.h"

namespace corvane {

void StoreZoneSettings(const std::vector<float>& limits, bool clear_list) {
  auto& state = shared_state();
  StoreZoneList(limits);
  if (state.gZoneCount > 0)
    state.gZoneMax = state.gZoneValues[state.gZoneCount];
  gFrmIsochroneForm().ListZones(clear_list);
}

} // namespace corvane
