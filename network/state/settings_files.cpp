#include "network/state/settings_files.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "com/numbers.h"
#include "network/state/speed_units.h"
#include "network/state/trim_blanks.h"
#include "win/date_text.h"
#include "win/file_system_object.h"
#include "win/num_text.h"
#include "win/paths.h"
#include "win/profile.h"

namespace corvane {

std::string NetworkIniFile(std::string_view folder) {
  return win::join_path(folder, NetworkIniFileName);
}
std::string SpeedClassFile(std::string_view folder) {
  return win::join_path(folder, SpeedClassFileName);
}
std::string AttributeTextFile(std::string_view folder) {
  return win::join_path(folder, AttributeTextFileName);
}

namespace settings {

namespace {

std::string temp_speed_key(std::int32_t row, std::string_view unit) {
  return "Link Number" + win::NumText(row) + " (" + std::string(unit) + ")";
}

} // namespace

std::string class_key(std::string_view class_text, std::string_view unit) {
  return "Speed " + std::string(class_text) + " (" + std::string(unit) + ")";
}

std::string zone_key(std::int32_t zone) {
  return "Zone " + win::NumText(zone);
}
std::string link_row_key(std::int32_t row) {
  return win::NumText(row) + " . Link Number ";
}
std::string temp_speed_mph_key(std::int32_t row) {
  return temp_speed_key(row, "mph");
}
std::string temp_speed_kmph_key(std::int32_t row) {
  return temp_speed_key(row, "kmph");
}
std::string category_key(std::int32_t category) {
  return "Category " + win::NumText(category);
}
std::string class_speed_key(std::int32_t class_value) {
  return class_key(win::NumText(class_value), "mph");
}
std::string class_alias_key(std::int32_t class_value) {
  return class_key(win::NumText(class_value), "alias");
}
std::string default_class_alias(std::int32_t class_value) {
  return "Speed" + win::NumText(class_value);
}
RoadClassSpeed default_road_class(std::int32_t class_value) {
  return {.SpeedKmph = KmphOfOneMph,
          .SpeedMph = 1,
          .ClassValue = class_value,
          .Alias = default_class_alias(class_value)};
}

std::string read(std::string_view file, std::string_view section, std::string_view key) {
  return win::read_profile_string(section, key, Missing, file, win::profile_buffer_size);
}

std::string read_unbounded(std::string_view file, std::string_view section, std::string_view key) {
  return win::read_profile_string(section, key, Missing, file,
                                  std::numeric_limits<std::size_t>::max());
}

double read_number(std::string_view file, std::string_view section, std::string_view key) {
  return com::Val(read(file, section, key));
}

bool commit(std::string_view file, const Changes& changes, win::ProfileBase base) {
  return win::write_profile_file(file, changes, base);
}

void set(Changes& changes, std::string_view section, std::string_view key, std::string_view value) {
  changes.push_back({std::string(section), std::string(key), std::string(value)});
}

bool write(std::string_view file, std::string_view section, std::string_view key,
           std::string_view value) {
  Changes changes;
  set(changes, section, key, value);
  return commit(file, changes);
}

bool delete_section(std::string_view file, std::string_view section) {
  return commit(file, {{std::string(section), std::nullopt, std::nullopt}});
}

namespace {

void set_temp_speed(Changes& changes, std::int32_t row, const TempSpeedRow& speed) {
  set(changes, TemporarySpeeds, link_row_key(row), win::NumText(speed.Link));
  set(changes, TemporarySpeeds, temp_speed_mph_key(row), win::NumText(speed.SpeedMph));
  set(changes, TemporarySpeeds, temp_speed_kmph_key(row), win::NumText(speed.SpeedKmph));
}

// The section anew: "Total", then each row by `set_row`.
template <class Row, class SetRow>
void replace_list(Changes& changes, std::string_view section, const std::vector<Row>& rows,
                  SetRow set_row) {
  changes.push_back({std::string(section), std::nullopt, std::nullopt, true});
  set(changes, section, Total, win::NumText(static_cast<std::int32_t>(rows.size())));
  for (std::size_t i = 0; i < rows.size(); ++i)
    set_row(changes, static_cast<std::int32_t>(i + 1), rows[i]);
}

} // namespace

bool write_temp_speed(std::string_view ini_file, std::int32_t row, const TempSpeedRow& speed) {
  Changes changes;
  set_temp_speed(changes, row, speed);
  return commit(ini_file, changes);
}

void replace_temp_speeds(Changes& changes, const std::vector<TempSpeedRow>& speeds) {
  replace_list(changes, TemporarySpeeds, speeds, set_temp_speed);
}

void replace_closed_links(Changes& changes, const std::vector<std::int32_t>& links) {
  replace_list(changes, ClosedRoads, links, [](Changes& into, std::int32_t row, std::int32_t link) {
    set(into, ClosedRoads, link_row_key(row), win::NumText(link));
  });
}

bool write_closed_link(std::string_view ini_file, std::int32_t row, std::int32_t link) {
  return write(ini_file, ClosedRoads, link_row_key(row), win::NumText(link));
}

void replace_zones(Changes& changes, const std::vector<float>& limits) {
  changes.push_back({std::string(Isochrone), std::nullopt, std::nullopt});
  for (std::size_t i = 0; i < limits.size(); ++i)
    set(changes, Isochrone, zone_key(static_cast<std::int32_t>(i + 1)), win::NumText(limits[i]));
  set(changes, Isochrone, TotalZones, win::NumText(static_cast<std::int32_t>(limits.size())));
}

bool write_zones(std::string_view ini_file, const std::vector<float>& limits) {
  Changes changes;
  replace_zones(changes, limits);
  return commit(ini_file, changes);
}

bool write_road_class_speed(std::string_view speed_file, std::int32_t class_value, float mph) {
  return write(speed_file, SpeedValues, class_speed_key(class_value), win::NumText(mph));
}

bool write_road_class_speeds(std::string_view speed_file,
                             const std::vector<RoadClassSpeed>& classes) {
  Changes changes;
  for (const auto& road_class : classes)
    set(changes, SpeedValues, class_speed_key(road_class.ClassValue),
        win::NumText(road_class.SpeedMph));
  return commit(speed_file, changes);
}

bool write_road_class_alias(std::string_view speed_file, std::int32_t class_value,
                            std::string_view alias) {
  return write(speed_file, SpeedValues, class_alias_key(class_value), alias);
}

bool write_road_classes(std::string_view speed_file, const std::vector<RoadClassSpeed>& classes) {
  std::vector<std::pair<std::string, std::string>> entries;
  entries.emplace_back(TotalCategories, win::NumText(static_cast<std::int32_t>(classes.size())));
  for (std::size_t k = 0; k < classes.size(); ++k) {
    const auto& road_class = classes[k];
    entries.emplace_back(category_key(static_cast<std::int32_t>(k + 1)),
                         win::NumText(road_class.ClassValue));
    entries.emplace_back(class_speed_key(road_class.ClassValue), win::NumText(road_class.SpeedMph));
    entries.emplace_back(class_alias_key(road_class.ClassValue), road_class.Alias);
  }
  return win::write_profile_file(speed_file, SpeedValues, entries);
}

std::string edited_value(win::clock::time_point date, win::clock::time_point time) {
  return win::format_mm_dd_yy(date) + " " + win::format_hh_mm_ss_am_pm(time);
}

std::optional<std::string> read_distance_units(std::string_view ini_file) {
  return distance_units(read(ini_file, Info, OcxDistUnits));
}

std::optional<std::string> distance_units(std::string_view value) {
  for (const auto units : {Kilometers, Miles})
    if (value.starts_with(units))
      return std::string(units);
  return std::nullopt;
}

void set_tsp_mode(Changes& changes, corvane::TspMode mode) {
  set(changes, Info, TspMode, win::NumText(mode.stored_number()));
  set(changes, Info, TspStraightLine, mode.stored_straight_text());
}

bool write_tsp_mode(std::string_view ini_file, corvane::TspMode mode) {
  Changes changes;
  set_tsp_mode(changes, mode);
  return commit(ini_file, changes);
}

void set_colour(Changes& changes, std::int16_t red, std::int16_t green, std::int16_t blue) {
  set(changes, Color, Red, std::to_string(red));
  set(changes, Color, Green, std::to_string(green));
  set(changes, Color, Blue, std::to_string(blue));
}

bool write_colour(std::string_view ini_file, std::int16_t red, std::int16_t green,
                  std::int16_t blue) {
  Changes changes;
  set_colour(changes, red, green, blue);
  return commit(ini_file, changes);
}

std::string attribute_line(double class_value) {
  // Truncated, as the road-class list takes the value, so that the engine's class of a link
  // (|value| mod 32) is one of the listed classes also for negative fractions: -5.7 gives -5.
  return com::number_text(std::trunc(class_value), com::double_digits);
}

std::optional<std::string> write_attribute_text(std::string_view folder,
                                                const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines)
    text.append(line).append("\r\n");
  return win::FileSystemObject().WriteScratchFile(AttributeTextFile(folder), text);
}

} // namespace settings

} // namespace corvane
