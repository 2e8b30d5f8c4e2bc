#include "network/zone_settings.h"

#include "dialogs/network/frm_isochrone.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network/stored_count.h"

namespace corvane {

void read_zone_list() {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  const auto limits = settings::read_zones(ini, [&](double stored) {
    return EntriesToRead(ini, settings::Isochrone, settings::TotalZones, stored,
                         settings::MaxZoneCount);
  });
  state.gZoneCount = static_cast<std::int32_t>(limits.size());
  state.gZoneValues.reallocate(state.gZoneCount);
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone)
    state.gZoneValues[zone] = limits[static_cast<std::size_t>(zone - 1)];
}

void read_zone_settings(bool clear_list) {
  auto& state = shared_state();
  read_zone_list();
  if (state.gZoneCount > 0)
    state.gZoneMax = state.gZoneValues[state.gZoneCount];
  gFrmIsochroneForm().ListZones(clear_list);
}

} // namespace corvane
