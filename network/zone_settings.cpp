#include "network/zone_settings.h"

#include "dialogs/network/frm_isochrone.h"
#include "network/settings_files.h"
#include "network/shared_state.h"

namespace corvane {

void read_zone_settings(bool clear_list) {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  state.gZoneCount = settings::read_zone_count(ini);
  state.gZoneValues.reallocate(state.gZoneCount);
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone) {
    state.gZoneValues[zone] = settings::read_zone(ini, zone);
    state.gZoneMax = state.gZoneValues[zone];
  }
  gFrmIsochroneForm().ListZones(clear_list);
}

} // namespace corvane
