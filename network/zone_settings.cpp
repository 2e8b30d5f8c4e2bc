#include "network/zone_settings.h"

#include <vector>

#include "com/numbers.h"
#include "dialogs/network/frm_isochrone.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network/stored_count.h"

namespace corvane {

std::vector<float> ReadZoneLimits(const std::string& ini_file) {
  const auto stored = settings::read_zones(ini_file, [&](double count) {
    return EntriesToRead(ini_file, settings::Isochrone, settings::TotalZones, count,
                         settings::MaxZoneCount);
  });
  std::vector<float> limits;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const auto limit = com::to_single(stored[i]);
    if (!limit) {
      WarnAboutSettings(ini_file, settings::Isochrone,
                        settings::zone_key(static_cast<std::int32_t>(i + 1)),
                        "is beyond what a zone limit can hold; the zone is left out.");
      continue;
    }
    limits.push_back(*limit);
  }
  return limits;
}

void read_zone_list() {
  auto& state = shared_state();
  const auto limits = ReadZoneLimits(NetworkIniFile(state.gNetworkFolder));
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
