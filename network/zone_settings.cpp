#include "network/zone_settings.h"

#include "dialogs/network/frm_isochrone.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network/stored_settings.h"

namespace corvane {

void StoreZoneList(const std::vector<float>& limits) {
  auto& state = shared_state();
  state.gZoneCount = static_cast<std::int32_t>(limits.size());
  state.gZoneValues.reallocate(state.gZoneCount);
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone)
    state.gZoneValues[zone] = limits[static_cast<std::size_t>(zone - 1)];
}

void read_zone_list() {
  const auto ini = NetworkIniFile(shared_state().gNetworkFolder);
  SettingsNotes notes;
  StoreZoneList(ReadStoredZones(win::ProfileSnapshot(ini), ini, notes));
  notes.show();
}

void StoreZoneSettings(const std::vector<float>& limits, bool clear_list) {
  auto& state = shared_state();
  StoreZoneList(limits);
  if (state.gZoneCount > 0)
    state.gZoneMax = state.gZoneValues[state.gZoneCount];
  gFrmIsochroneForm().ListZones(clear_list);
}

} // namespace corvane
