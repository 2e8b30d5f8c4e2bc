#include "network/carried_settings.h"

#include <utility>

#include "network/stored_count.h"
#include "network/zone_settings.h"
#include "win/profile.h"

namespace corvane {

namespace {

// What a new network starts with; a rebuild writes them where the old file held nothing.
const std::vector<float> default_zones{5, 10, 15};
constexpr std::int32_t default_tsp_mode = 1;
constexpr std::array<std::int16_t, 3> default_colour{255, 0, 0};

template <class Table>
std::int32_t rows_to_read(const std::string& ini, std::string_view section, const Table& table) {
  return EntriesToRead(ini, section, settings::Total,
                       settings::read_number(ini, section, settings::Total), table.upper());
}

} // namespace

bool CarriedSettings::empty() const {
  return !closed_links && !temp_speeds && !zones && !colour && !route_type && !tsp_mode;
}

std::int32_t CarriedSettings::tsp_mode_or_default() const {
  return tsp_mode.value_or(default_tsp_mode);
}

std::array<std::int16_t, 3> CarriedSettings::colour_or_default() const {
  return colour.value_or(default_colour);
}

std::string CarriedSettings::names() const {
  const std::pair<bool, std::string_view> settings_kept[] = {
      {closed_links.has_value(), "closed roads"},
      {temp_speeds.has_value(), "temporary speeds"},
      {zones.has_value(), "zones"},
      {colour.has_value(), "route colour"},
      {route_type.has_value(), "route type"},
      {tsp_mode.has_value(), "TSP settings"},
  };
  std::vector<std::string_view> kept;
  for (const auto& [held, name] : settings_kept)
    if (held)
      kept.push_back(name);
  std::string text;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    if (i > 0)
      text += i + 1 == kept.size() ? " and " : ", ";
    text += kept[i];
  }
  return text;
}

CarriedSettings ReadCarriedSettings(const std::string& ini_file) {
  const auto& state = shared_state();
  const win::ProfileSnapshot ini(ini_file);
  CarriedSettings carried;
  if (ini.has_section(settings::ClosedRoads)) {
    auto& links = carried.closed_links.emplace();
    const auto rows = rows_to_read(ini_file, settings::ClosedRoads, state.gClosedLinks);
    for (std::int32_t row = 1; row <= rows; ++row) {
      if (const auto link = settings::read_closed_link(ini_file, row))
        links.push_back(*link);
      else
        WarnAboutSettings(ini_file, settings::ClosedRoads, settings::link_row_key(row),
                          "is no link number; the row is left out.");
    }
  }
  if (ini.has_section(settings::TemporarySpeeds)) {
    auto& speeds = carried.temp_speeds.emplace();
    const auto rows = rows_to_read(ini_file, settings::TemporarySpeeds, state.gTempSpeeds);
    for (std::int32_t row = 1; row <= rows; ++row)
      speeds.push_back(settings::read_temp_speed(ini_file, row));
  }
  if (ini.has_section(settings::Isochrone))
    carried.zones = ReadZoneLimits(ini_file);
  if (ini.has_section(settings::Color))
    carried.colour = {settings::read_colour_component(ini_file, settings::Red),
                      settings::read_colour_component(ini_file, settings::Green),
                      settings::read_colour_component(ini_file, settings::Blue)};
  const auto route_type = ini.read(settings::Info, settings::RouteType, settings::Missing);
  if (route_type == settings::Shortest || route_type == settings::Fastest)
    carried.route_type = route_type;
  constexpr std::int32_t unknown = -1;
  if (const auto mode = settings::read_tsp_mode(ini_file, unknown);
      mode != unknown &&
      ini.read(settings::Info, settings::TspMode, settings::Missing) != settings::Missing)
    carried.tsp_mode = mode;
  return carried;
}

void AddCarriedSettings(settings::Changes& changes, const CarriedSettings& carried) {
  settings::replace_closed_links(changes,
                                 carried.closed_links.value_or(std::vector<std::int32_t>{}));
  settings::replace_temp_speeds(changes, carried.temp_speeds.value_or(std::vector<TempSpeedRow>{}));
  settings::replace_zones(changes, carried.zones.value_or(default_zones));
  settings::set(changes, settings::Info, settings::RouteType,
                carried.route_type.value_or(std::string(settings::Shortest)));
  settings::set_tsp_mode(changes, carried.tsp_mode_or_default());
  const auto colour = carried.colour_or_default();
  settings::set_colour(changes, colour[0], colour[1], colour[2]);
}

} // namespace corvane
