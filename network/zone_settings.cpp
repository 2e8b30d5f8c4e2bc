#include "network/zone_settings.h"

#include <algorithm>

#include "dialogs/network/frm_isochrone.h"
#include "network/settings_files.h"
#include "network/shared_state.h"

namespace corvane {

void read_zone_list() {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  state.gZoneCount = std::max(settings::read_zone_count(ini), 0);
  state.gZoneValues.reallocate(state.gZoneCount);
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone)
    state.gZoneValues[zone] = settings::read_zone(ini, zone);
}

void read_zone_settings(bool clear_list) {
  auto& state = shared_state();
  read_zone_list();
  if (state.gZoneCount > 0)
    state.gZoneMax = state.gZoneValues[state.gZoneCount];
  gFrmIsochroneForm().ListZones(clear_list);
}

} // namespace corvane
