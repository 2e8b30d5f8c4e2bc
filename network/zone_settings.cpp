#include "network/zone_settings.h"

#include <vector>

#include "com/numbers.h"
#include "dialogs/network/frm_isochrone.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network/stored_count.h"

namespace corvane {

void read_zone_list() {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  const auto stored = settings::read_zones(ini, [&](double count) {
    return EntriesToRead(ini, settings::Isochrone, settings::TotalZones, count,
                         settings::MaxZoneCount);
  });
  std::vector<float> limits;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const auto limit = com::to_single(stored[i]);
    if (!limit) {
      WarnAboutSettings(ini, settings::Isochrone,
                        settings::zone_key(static_cast<std::int32_t>(i + 1)),
                        "is beyond what a zone limit can hold; the zone is left out.");
      continue;
    }
    limits.push_back(*limit);
  }
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
