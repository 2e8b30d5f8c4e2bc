#include "network/state/stored_settings.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "com/numbers.h"
#include "network/state/speed_units.h"
#include "network/state/trim_blanks.h"
#include "win/num_text.h"

namespace corvane {

namespace {

// What a new network starts with; a rebuild writes them where the old file held nothing.
const std::vector<float> default_zones{5, 10, 15};

// The number a value holds: the whole value, less the blanks around it, is one number as the
// system writes it; nothing for anything else. A value is never read as the number it begins
// with: " 16,216" is no link 16, "24,85488" no 24 mph, "nan" or a word no stored 0.
std::optional<double> stored_number(std::string_view text) {
  return com::parse_number(text);
}

// The count a value gives: the whole value a whole number from 0; none for anything else ("3,5",
// "2.5", "-1", a word, Missing), which the lists read as the rows there are.
std::optional<double> StoredCount(std::string_view text) {
  const auto stored = stored_number(text);
  if (stored && *stored >= 0 && *stored == std::floor(*stored))
    return stored;
  return std::nullopt;
}

// `text` as a value gives it, with why a number written with a comma is none: the system writes
// its numbers with a point and never groups digits, so a comma is a hand edit whose meaning
// ("16,216": 16.216 or 16216?) is unsure.
std::string quoted(std::string_view text) {
  std::string pointed(text);
  std::ranges::replace(pointed, ',', '.');
  const bool comma = pointed != text && com::parse_number(pointed);
  return "gives \"" + std::string(text) + "\"" +
         (comma ? " (a number with a comma, which the settings files never hold)" : "");
}

// One section of a settings file as read once, with the notes of what it holds that cannot be
// used and the count of entries left out.
struct SectionReader {
  const win::ProfileSnapshot& file;
  std::string_view file_name;
  std::string_view section;
  SettingsNotes& notes;
  std::int32_t& left_out;

  std::string value(std::string_view key) const {
    return file.read(section, key, settings::Missing);
  }
  bool has(std::string_view key) const { return value(key) != settings::Missing; }
  void note(std::string_view key, std::string_view what) const {
    notes.add(file_name, section, key, what);
  }
  void leave_out(std::string_view key, std::string_view what) const {
    note(key, what);
    ++left_out;
  }

  // The rows of a list to read, from 1: as many as `count_key` gives, within `capacity`, less
  // those missing (`entries` names them for the user: "closed roads").
  std::vector<std::int32_t> rows(std::string_view count_key, std::int32_t capacity,
                                 const std::function<std::string(std::int32_t)>& row_key,
                                 std::string_view entry, std::string_view entries) const {
    const auto present = [&](std::int32_t row) { return has(row_key(row)); };
    const auto count_text = value(count_key);
    // A value that is no count reads the rows that are there.
    const double wanted = StoredCount(count_text).value_or(-1);
    std::int32_t count = 0;
    if (!(wanted >= 0)) {
      while (count < capacity && present(count + 1))
        ++count;
      if (count_text != settings::Missing || count > 0)
        note(count_key,
             (count_text == settings::Missing ? std::string("is missing")
                                              : quoted(count_text) + ", which is no count") +
                 "; the " + std::to_string(count) + " " + std::string(entries) +
                 " in the file are read.");
    } else {
      const auto shown = trim_blanks(win::NumText(wanted));
      count = wanted > capacity ? capacity : static_cast<std::int32_t>(wanted);
      std::int32_t last = count;
      while (last > 0 && !present(last))
        --last;
      std::int32_t beyond = count;
      while (beyond < capacity && present(beyond + 1))
        ++beyond;
      if (last < count) {
        note(count_key, "gives " + shown + " " + std::string(entries) +
                            ", but the file holds only " + std::to_string(last) +
                            "; those are read.");
        count = last;
      } else if (beyond > count && wanted <= capacity) {
        // Rows below the count are the user's too: a count that fell behind would drop them.
        note(count_key, "gives " + shown + " " + std::string(entries) + ", but the file holds " +
                            std::to_string(beyond) + "; all " + std::to_string(beyond) +
                            " are read.");
        count = beyond;
      } else if (wanted > capacity) {
        leave_out(count_key, "gives " + shown + " " + std::string(entries) + ", more than the " +
                                 std::to_string(capacity) + " that can be kept; the first " +
                                 std::to_string(capacity) + " are read and the others ignored.");
      }
    }
    std::vector<std::int32_t> read;
    for (std::int32_t row = 1; row <= count; ++row) {
      if (present(row))
        read.push_back(row);
      else
        leave_out(row_key(row), "is missing; the " + std::string(entry) + " is left out.");
    }
    return read;
  }

  // The link number of `key`: a whole number 1 .. link_count, else the entry is left out.
  std::optional<std::int32_t> link(std::string_view key, std::int32_t link_count,
                                   std::string_view entry) const {
    const auto text = value(key);
    const auto number = stored_number(text);
    const auto link =
        number && *number == std::floor(*number) ? com::to_int32(*number) : std::nullopt;
    if (link && *link >= 1 && *link <= link_count)
      return link;
    leave_out(key, quoted(text) + ", which names no link of the layer (1 to " +
                       std::to_string(link_count) + "); the " + std::string(entry) +
                       " is left out.");
    return std::nullopt;
  }

  // A speed or limit of `key`: a number from 0 to what single precision holds; nothing when the
  // value is missing or no such number, which `what_then` says what is done about.
  // A speed must be above 0: a road at 0 is a closed one, which is the closures' to say.
  std::optional<double> amount(std::string_view key, std::string_view kind,
                               std::string_view what_then, bool counts_as_left_out = true,
                               bool above_zero = false) const {
    const auto text = value(key);
    const auto number = stored_number(text);
    if (number && std::isfinite(*number) && *number >= 0 && com::to_single(*number) &&
        (!above_zero || *number > 0))
      return number;
    const auto what =
        (text == settings::Missing ? std::string("is missing")
                                   : quoted(text) + ", which is no " + std::string(kind)) +
        "; " + std::string(what_then);
    if (counts_as_left_out || text != settings::Missing)
      leave_out(key, what);
    else
      note(key, what);
    return std::nullopt;
  }
};

std::vector<std::int32_t> read_closed_links(const SectionReader& section, std::int32_t link_count) {
  std::vector<std::int32_t> links;
  for (const auto row : section.rows(settings::Total, shared_state().gClosedLinks.upper(),
                                     settings::link_row_key, "closed road", "closed roads"))
    if (const auto link = section.link(settings::link_row_key(row), link_count, "closed road"))
      links.push_back(*link);
  return links;
}

// Older writers keyed the speeds by the link number instead of the row. The speeds are read by
// link only when the file is plainly of that kind: every row's link has its speeds, and some
// row lacks the speeds under its row key; any other file is read by rows, so that no row takes
// another row's speed.
std::vector<TempSpeedRow> read_temp_speeds(const SectionReader& section, std::int32_t link_count) {
  const auto rows = section.rows(settings::Total, shared_state().gTempSpeeds.upper(),
                                 settings::link_row_key, "temporary speed", "temporary speeds");
  std::vector<std::optional<std::int32_t>> stored_links;
  bool keyed_by_link = false, every_link_keyed = !rows.empty();
  for (const auto row : rows) {
    const auto number = stored_number(section.value(settings::link_row_key(row)));
    const auto link = number ? com::to_int32(*number) : std::nullopt;
    stored_links.push_back(link);
    every_link_keyed = every_link_keyed && link &&
                       section.has(settings::temp_speed_mph_key(*link)) &&
                       section.has(settings::temp_speed_kmph_key(*link));
    keyed_by_link = keyed_by_link || !section.has(settings::temp_speed_mph_key(row));
  }
  keyed_by_link = keyed_by_link && every_link_keyed;

  std::vector<TempSpeedRow> speeds;
  constexpr std::string_view left_out = "the temporary speed is left out.";
  for (const auto row : rows) {
    const auto link = section.link(settings::link_row_key(row), link_count, "temporary speed");
    if (!link)
      continue;
    const auto key_number = keyed_by_link ? *link : row;
    const auto mph =
        section.amount(settings::temp_speed_mph_key(key_number), "speed", left_out, true, true);
    if (!mph)
      continue;
    auto kmph =
        section.amount(settings::temp_speed_kmph_key(key_number), "speed", left_out, true, true);
    if (!kmph)
      continue;
    // The engine is sent km/h; an mph value that says otherwise is derived from it again, so
    // that the dialogs show the speed the routes use. A speed below the lowest the speed dialog
    // takes would make the road all but closed, unasked: the lowest is used instead.
    auto derived_mph = *mph;
    if (*kmph < LowestTempSpeedKmph) {
      section.note(settings::temp_speed_kmph_key(key_number),
                   quoted(section.value(settings::temp_speed_kmph_key(key_number))) +
                       ", below the lowest speed, 1 mph (1.6093 km/h); 1.6093 km/h is used.");
      kmph = LowestTempSpeedKmph;
      derived_mph = *kmph * MphPerKmph;
    } else if (std::abs(*kmph * MphPerKmph - *mph) > 0.01 * *mph) {
      derived_mph = *kmph * MphPerKmph;
      section.note(settings::temp_speed_mph_key(key_number),
                   quoted(section.value(settings::temp_speed_mph_key(key_number))) +
                       ", which disagrees with " +
                       quoted(section.value(settings::temp_speed_kmph_key(key_number))).substr(6) +
                       " km/h; the km/h speed is used.");
    }
    speeds.push_back(
        {.Link = static_cast<double>(*link), .SpeedKmph = *kmph, .SpeedMph = derived_mph});
  }
  return speeds;
}

// The zones as the zone tools take them and the zone options save them: ascending, equal
// neighbours allowed. A zone below an earlier one is put in its place, and named, since the tools
// would otherwise stop at the last zone's limit and draw its bands out of order. A zone of 0 or
// one equal to an earlier zone bounds nothing of its own, but the zone options save such zones
// (a zone they add starts at 0), so it is kept, and named.
std::vector<float> read_zones(const SectionReader& section) {
  struct Zone {
    std::int32_t row;
    float limit;
  };
  std::vector<Zone> zones;
  for (const auto row : section.rows(settings::TotalZones, settings::MaxZoneCount,
                                     settings::zone_key, "zone", "zones"))
    if (const auto limit =
            section.amount(settings::zone_key(row), "zone limit", "the zone is left out."))
      zones.push_back({row, static_cast<float>(*limit)});

  const auto given = [&](const Zone& zone) {
    return "\"" + section.value(settings::zone_key(zone.row)) + "\"";
  };
  const Zone* highest = nullptr;
  for (const auto& zone : zones) {
    const auto key = settings::zone_key(zone.row);
    if (zone.limit == 0)
      section.note(key, "gives " + given(zone) +
                            ", a zone that bounds nothing; it is kept, as the zone options keep "
                            "it.");
    if (highest && zone.limit < highest->limit)
      section.note(key, "gives " + given(zone) + ", below the " + given(*highest) + " of \"" +
                            settings::zone_key(highest->row) +
                            "\"; the zones are put in ascending order.");
    else if (highest && zone.limit == highest->limit && zone.limit != 0)
      section.note(key, "gives " + given(zone) + ", as \"" + settings::zone_key(highest->row) +
                            "\" does; both are kept, and the second bounds nothing more.");
    if (!highest || zone.limit > highest->limit)
      highest = &zone;
  }
  std::ranges::stable_sort(zones, {}, &Zone::limit);
  std::vector<float> limits;
  for (const auto& zone : zones)
    limits.push_back(zone.limit);
  return limits;
}

// A [Color] component: 0 .. 255, rounded halves-to-even; a value outside is taken to the nearer
// end and one that is no number (or missing) as 0, with a note.
std::int16_t read_colour_component(const SectionReader& section, std::string_view key) {
  const auto text = section.value(key);
  const auto number = com::parse_number(trim_blanks(text));
  if (!number) {
    section.note(key, (text == settings::Missing ? std::string("is missing")
                                                 : quoted(text) + ", which is no number") +
                          "; 0 is used.");
    return 0;
  }
  if (*number >= 0 && *number <= 255) {
    const auto whole = static_cast<std::int16_t>(com::round_half_even(*number));
    if (whole != *number)
      section.note(key, quoted(text) + ", which is no whole number; " + std::to_string(whole) +
                            " is used.");
    return whole;
  }
  const std::int16_t nearest = *number > 255 ? 255 : 0;
  section.note(key, quoted(text) + ", outside 0 to 255; " + std::to_string(nearest) + " is used.");
  return nearest;
}

// [INFO] "TSP MODE" gives the kind (a missing key the start-end tour) and "TSP STRAIGHT LINE"
// whether straight lines are asked for. A mode of no kind is named and gives no kind.
StoredTspMode read_tsp_mode(const SectionReader& info) {
  StoredTspMode stored;
  const auto text = info.value(settings::TspMode);
  // A missing key, or one that holds no number, gives the start-end tour, as TSP Options shows
  // it; a number of no kind is not used.
  const auto number = text == settings::Missing ? std::optional<double>(0) : stored_number(text);
  stored.kind = TspMode::stored_kind(number.value_or(0));
  if (!number)
    info.note(settings::TspMode, quoted(text) +
                                     ", which is no number; the start-end tour (0) is used, as "
                                     "TSP Options shows it.");
  else if (!stored.kind)
    info.note(settings::TspMode,
              quoted(text) + ", which is no TSP mode (0, 1 or 2); it is not used.");
  const auto straight = info.value(settings::TspStraightLine);
  stored.straight_line = TspMode::stored_straight_line(straight);
  if (!stored.straight_line && straight != settings::Missing &&
      !straight.starts_with(TspMode::StraightLineNo))
    info.note(settings::TspStraightLine,
              quoted(straight) + ", which is neither Yes nor No; routes between the stops are "
                                 "taken along the roads, as with No.");
  return stored;
}

std::optional<std::string> read_description_field(const SectionReader& info) {
  if (auto field = info.value(settings::DescFieldName); field != settings::Missing)
    return field;
  return std::nullopt;
}

std::optional<std::string> read_route_type(const SectionReader& info) {
  const auto text = info.value(settings::RouteType);
  if (text == settings::Shortest || text == settings::Fastest)
    return text;
  if (text != settings::Missing)
    info.note(settings::RouteType,
              quoted(text) + ", which is neither Shortest nor Fastest; it is not used.");
  return std::nullopt;
}

// The names `file` holds twice. Its first copy is read (and a rebuild writes it alone), so the
// second is named with what it held; a copy that says nothing else is named too, but loses
// nothing.
void note_repeats(const win::ProfileSnapshot& file, std::string_view file_name,
                  SettingsNotes& notes, std::int32_t& left_out) {
  for (const auto& repeat : file.repeats()) {
    // Keys above the first header stand in no section (a file that lost its "[INFO]" line).
    const auto where = std::string(file_name) + ": " +
                       (repeat.section.empty() ? std::string("above the first section, ")
                                               : "[" + repeat.section + "] ");
    if (!repeat.key) {
      const auto keys = repeat.later_entries;
      notes.add(where + "is written twice; the first copy is used and the second (" +
                std::to_string(keys) + (keys == 1 ? " key" : " keys") + ") is ignored.");
      left_out += keys > 0 ? 1 : 0;
    } else if (repeat.first_value == repeat.later_value) {
      notes.add(where + "\"" + *repeat.key + "\" is written twice, both times \"" +
                repeat.first_value + "\"; it is read once.");
    } else {
      notes.add(where + "\"" + *repeat.key + "\" is written twice; the first copy (\"" +
                repeat.first_value + "\") is used and the second (\"" + repeat.later_value +
                "\") is ignored.");
      ++left_out;
    }
  }
}

} // namespace

std::optional<std::string> UnreadableReason(const win::ProfileSnapshot& settings,
                                            std::string_view main_section) {
  if (settings.missing())
    return std::nullopt;
  if (settings.binary())
    return "it is no text of single-byte characters";
  if (settings.empty())
    return "it is empty";
  if (!settings.has_section(main_section))
    return "it has no [" + std::string(main_section) + "] section";
  return std::nullopt;
}

TspMode StoredSettings::tsp_mode_or_default() const {
  return tsp_mode.value_or(NewNetworkTspMode);
}

std::array<std::int16_t, 3> StoredSettings::colour_or_default() const {
  return colour.value_or(NewNetworkColour);
}

std::vector<float> StoredSettings::zones_or_default() const {
  return zones.value_or(default_zones);
}

std::string StoredSettings::names() const {
  const std::pair<bool, std::string_view> settings_held[] = {
      {closed_links.has_value(), "closed roads"},
      {temp_speeds.has_value(), "temporary speeds"},
      {zones.has_value(), "zones"},
      {colour.has_value(), "route colour"},
      {route_type.has_value() || distance_units.has_value() || description_field.has_value(),
       "route options"},
      {tsp_mode.has_value(), "TSP settings"},
  };
  std::vector<std::string> held;
  for (const auto& [present, name] : settings_held)
    if (present)
      held.emplace_back(name);
  return ListedWithAnd(held);
}

StoredSettings ReadStoredSettings(const win::ProfileSnapshot& ini, std::string_view ini_file,
                                  std::int32_t link_count, SettingsNotes& notes) {
  StoredSettings stored;
  note_repeats(ini, ini_file, notes, stored.left_out);
  const auto section = [&](std::string_view name) {
    return SectionReader{ini, ini_file, name, notes, stored.left_out};
  };
  if (ini.has_section(settings::ClosedRoads))
    stored.closed_links = read_closed_links(section(settings::ClosedRoads), link_count);
  if (ini.has_section(settings::TemporarySpeeds))
    stored.temp_speeds = read_temp_speeds(section(settings::TemporarySpeeds), link_count);
  if (ini.has_section(settings::Isochrone))
    stored.zones = read_zones(section(settings::Isochrone));
  if (ini.has_section(settings::Color)) {
    const auto colour = section(settings::Color);
    stored.colour = {read_colour_component(colour, settings::Red),
                     read_colour_component(colour, settings::Green),
                     read_colour_component(colour, settings::Blue)};
  }
  // A file that lost its "[INFO]" line holds the keys of [INFO] above its first header, where
  // the build writes that section; a file with neither holds no route or TSP options.
  const auto info_section = ini.has_section(settings::Info) ? settings::Info
                            : ini.has_section("")           ? std::string_view()
                                                            : std::optional<std::string_view>();
  if (!info_section)
    return stored;
  const auto info = section(*info_section);
  stored.route_type = read_route_type(info);
  stored.distance_units = settings::distance_units(info.value(settings::OcxDistUnits));
  stored.description_field = read_description_field(info);
  stored.tsp_mode = read_tsp_mode(info).mode();
  return stored;
}

std::optional<TspMode> StoredTspMode::mode() const {
  if (!kind)
    return std::nullopt;
  return TspMode{.kind = *kind, .straight_line = straight_line};
}

StoredTspMode ReadStoredTspMode(const win::ProfileSnapshot& ini, std::string_view ini_file,
                                SettingsNotes& notes) {
  std::int32_t left_out = 0;
  return read_tsp_mode(SectionReader{ini, ini_file, settings::Info, notes, left_out});
}

std::optional<std::int32_t> ReadStoredRouteChoice(const win::ProfileSnapshot& ini) {
  const auto text = ini.read(settings::Info, settings::RouteType, settings::Missing);
  if (text.starts_with('S'))
    return RouteShortest;
  if (text.starts_with('F'))
    return RouteFastest;
  return std::nullopt;
}

std::optional<std::string> ReadStoredDescriptionField(const win::ProfileSnapshot& ini) {
  SettingsNotes none;
  std::int32_t left_out = 0;
  return read_description_field(SectionReader{ini, "", settings::Info, none, left_out});
}

double StoredBuildFacts::record_count() const {
  return stored_number(record_no).value_or(-1);
}

StoredBuildFacts ReadStoredBuildFacts(const win::ProfileSnapshot& ini) {
  return {.record_no = ini.read(settings::Info, settings::RecordNo, settings::Missing),
          .attribute_flag =
              com::Val(ini.read(settings::Info, settings::AttributeFlag, settings::Missing))};
}

std::vector<float> ReadStoredZones(const win::ProfileSnapshot& ini, std::string_view ini_file,
                                   SettingsNotes& notes) {
  std::int32_t left_out = 0;
  return read_zones(SectionReader{ini, ini_file, settings::Isochrone, notes, left_out});
}

StoredRoadClasses ReadStoredRoadClasses(const win::ProfileSnapshot& speeds,
                                        std::string_view speed_file, SettingsNotes& notes) {
  StoredRoadClasses stored;
  note_repeats(speeds, speed_file, notes, stored.left_out);
  const SectionReader section{speeds, speed_file, settings::SpeedValues, notes, stored.left_out};
  const auto categories =
      section.rows(settings::TotalCategories, shared_state().gRoadClassSpeeds.upper() + 1,
                   settings::category_key, "road class", "road classes");
  for (const auto category : categories) {
    const auto key = settings::category_key(category);
    const auto number = stored_number(section.value(key));
    const auto class_value = number ? com::to_int16(*number) : std::nullopt;
    if (!class_value) {
      section.leave_out(key,
                        quoted(section.value(key)) + ", which is no road class; it is ignored.");
      continue;
    }
    // Older files write the class value without its leading blank.
    const auto class_key = [&](std::string_view unit) {
      const auto usual = settings::class_key(win::NumText(*number), unit);
      return section.has(usual)
                 ? usual
                 : settings::class_key(com::number_text(*number, com::double_digits), unit);
    };
    auto speed_key = class_key("mph");
    if (!section.has(speed_key))
      speed_key = settings::class_speed_key(*class_value);
    auto mph = section.amount(speed_key, "speed", "the class gets 1 mph, the speed of a new class.",
                              false, true);
    // Below the lowest speed the speed dialog takes, the routes over the class would take ages
    // (or, below what single precision holds, never end): the lowest is used instead.
    if (mph && *mph < 1) {
      section.note(speed_key, quoted(section.value(speed_key)) +
                                  ", below the lowest speed, 1 mph; 1 mph is used.");
      mph = 1;
    }
    RoadClassSpeed road_class{.SpeedKmph = 0,
                              .SpeedMph = static_cast<float>(mph.value_or(1)),
                              .ClassValue = *class_value,
                              .Alias = trim_blanks(section.value(class_key("alias")))};
    road_class.SpeedKmph = road_class.SpeedMph / static_cast<float>(MphPerKmph);
    stored.classes.push_back(std::move(road_class));
  }
  return stored;
}

void StoreClosedLinks(const std::vector<std::int32_t>& links) {
  auto& state = shared_state();
  state.gClosedLinkCount = static_cast<std::int32_t>(links.size());
  for (std::int32_t row = 1; row <= state.gClosedLinkCount; ++row)
    state.gClosedLinks[row] = links[static_cast<std::size_t>(row - 1)];
}

void StoreTempSpeeds(const std::vector<TempSpeedRow>& speeds) {
  auto& state = shared_state();
  state.gTempSpeedCount = static_cast<std::int32_t>(speeds.size());
  for (std::int32_t row = 1; row <= state.gTempSpeedCount; ++row)
    state.gTempSpeeds[row] = speeds[static_cast<std::size_t>(row - 1)];
}

void AddStoredSettings(settings::Changes& changes, const StoredSettings& stored) {
  settings::replace_closed_links(changes,
                                 stored.closed_links.value_or(std::vector<std::int32_t>{}));
  settings::replace_temp_speeds(changes, stored.temp_speeds.value_or(std::vector<TempSpeedRow>{}));
  settings::replace_zones(changes, stored.zones_or_default());
  settings::set(changes, settings::Info, settings::RouteType,
                stored.route_type.value_or(std::string(settings::Shortest)));
  settings::set_tsp_mode(changes, stored.tsp_mode_or_default());
  if (stored.description_field)
    settings::set(changes, settings::Info, settings::DescFieldName, *stored.description_field);
  const auto colour = stored.colour_or_default();
  settings::set_colour(changes, colour[0], colour[1], colour[2]);
}

} // namespace corvane
