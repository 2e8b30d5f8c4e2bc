// What the network opening makes of a "Corvane.ini" and "link.spd" pair as a hand edit, a
// damaged disk or an older writer may leave them: the readers of every section must take only
// values the system can use (links of the layer, speeds above 0, colours 0-255, a TSP mode it
// knows), and what a rebuild writes of them must read back the same, without a note but those
// of the zones kept as they are.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "network/state/settings_files.h"
#include "network/state/settings_notes.h"
#include "network/state/stored_settings.h"
#include "scratch_folder.h"
#include "win/profile.h"

namespace {

using namespace corvane;

constexpr std::int32_t link_count = 10;

void require(bool holds) {
  if (!holds)
    std::abort();
}

void check_usable(const StoredSettings& stored) {
  for (const auto link : stored.closed_links.value_or(std::vector<std::int32_t>{}))
    require(link >= 1 && link <= link_count);
  for (const auto& speed : stored.temp_speeds.value_or(std::vector<TempSpeedRow>{}))
    require(speed.Link >= 1 && speed.Link <= link_count && speed.SpeedKmph > 0 &&
            std::isfinite(speed.SpeedKmph) && speed.SpeedMph > 0 && std::isfinite(speed.SpeedMph));
  const auto zones = stored.zones_or_default();
  require(zones.size() <= static_cast<std::size_t>(settings::MaxZoneCount));
  for (const auto zone : zones)
    require(std::isfinite(zone) && zone >= 0);
  for (const auto component : stored.colour_or_default())
    require(component >= 0 && component <= 255);
  const auto mode = stored.tsp_mode_or_default();
  require(TspMode::stored_kind(mode.stored_number()) == mode.kind);
}

void check_usable(const StoredRoadClasses& classes) {
  for (const auto& road_class : classes.classes)
    require(road_class.SpeedMph > 0 && std::isfinite(road_class.SpeedMph) &&
            road_class.SpeedKmph > 0 && std::isfinite(road_class.SpeedKmph));
}

// Zones of 0 and repeated zones are kept, as the zone options keep them, and named at every
// reading; any other note on a file the rebuild wrote is a value it should not have written.
bool names_a_kept_zone(const std::string& note) {
  return note.find("[ISOCHRONE]") != std::string::npos && note.find("kept") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto files = fuzz::split_two_files(data, size);
  const auto folder = fuzz::scratch_folder().string();
  const auto ini = NetworkIniFile(folder);
  const auto speed_file = SpeedClassFile(folder);
  fuzz::write_bytes(ini, reinterpret_cast<const std::uint8_t*>(files.first.data()),
                    files.first.size());
  fuzz::write_bytes(speed_file, reinterpret_cast<const std::uint8_t*>(files.second.data()),
                    files.second.size());

  SettingsNotes notes;
  const win::ProfileSnapshot ini_text(ini);
  const win::ProfileSnapshot speed_text(speed_file);
  UnreadableReason(ini_text, settings::Info);
  UnreadableReason(speed_text, settings::SpeedValues);
  const auto stored = ReadStoredSettings(ini_text, ini, link_count, notes);
  const auto classes = ReadStoredRoadClasses(speed_text, speed_file, notes);
  check_usable(stored);
  check_usable(classes);

  // The rebuild's files hold what was carried, and an opening of them has nothing to say.
  const auto rebuilt_ini = folder + "/rebuilt.ini";
  settings::Changes changes;
  AddStoredSettings(changes, stored);
  require(settings::commit(rebuilt_ini, changes, win::ProfileBase::empty_file));
  SettingsNotes again;
  const auto reread =
      ReadStoredSettings(win::ProfileSnapshot(rebuilt_ini), rebuilt_ini, link_count, again);
  require(std::ranges::all_of(again.lines(), names_a_kept_zone));
  require(reread.closed_links.value_or(std::vector<std::int32_t>{}) ==
          stored.closed_links.value_or(std::vector<std::int32_t>{}));
  require(reread.temp_speeds.value_or(std::vector<TempSpeedRow>{}).size() ==
          stored.temp_speeds.value_or(std::vector<TempSpeedRow>{}).size());
  require(reread.zones_or_default().size() == stored.zones_or_default().size());
  require(reread.colour_or_default() == stored.colour_or_default());
  require(reread.tsp_mode_or_default() == stored.tsp_mode_or_default());
  return 0;
}
