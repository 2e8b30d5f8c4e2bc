#pragma once

// The user's settings in the network's settings files, each section read by one reader from one
// read of its file, and every value checked where it is read. A value that cannot be used is
// named in the notes (file, key, what is done) and left out or replaced; nothing is dropped in
// silence. Lists ([CLOSED ROADS], [TEMPORARY SPEEDS], [ISOCHRONE], the categories of "link.spd")
// read the rows their count gives; a count beyond the rows in the file reads those rows, and a
// count that is no count (negative, no number, missing beside rows) reads the rows that are there.
// A number is the whole value as the system writes it: one that goes on after its number
// ("16,216", "5 min") is none, never the number it begins with. A speed below the lowest the
// dialogs take (1 mph) is raised to it. A key or a section written twice is read in its first
// copy, and the second is named.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/state/settings_files.h"
#include "network/state/settings_notes.h"
#include "network/state/shared_state.h"
#include "win/profile.h"

namespace corvane {

// Why a settings file that exists, as `settings` read it, cannot be understood: it is empty, it
// is no single-byte text (a file of two-byte characters), or it lacks its main section ([INFO]
// of "Corvane.ini", [SPEED VALUES] of "link.spd"). Nothing for a missing file or one that can be
// understood. A byte-order mark, any line ends and blanks around names and values are understood.
std::optional<std::string> UnreadableReason(const win::ProfileSnapshot& settings,
                                            std::string_view main_section);

// The tour mode and route colour of a new network; a rebuild keeps the old file's where it held
// them.
inline constexpr TspMode NewNetworkTspMode{.kind = TourKind::RoundTrip, .straight_line = false};
inline constexpr std::array<std::int16_t, 3> NewNetworkColour{255, 0, 0};

// What "Corvane.ini" holds of the user's own settings. Each is there only when the file held it;
// the build writes the defaults of a new network for the others.
struct StoredSettings {
  std::optional<std::vector<std::int32_t>> closed_links;
  std::optional<std::vector<TempSpeedRow>> temp_speeds;
  std::optional<std::vector<float>> zones;
  std::optional<std::array<std::int16_t, 3>> colour;
  std::optional<std::string> route_type;
  // The route options' distance units ("Kilometers", "Miles") and description field.
  std::optional<std::string> distance_units;
  std::optional<std::string> description_field;
  std::optional<TspMode> tsp_mode;
  // How many entries of the file were left out (the notes name them): the file holds more than
  // these settings, so a rebuild keeps it as ".bak".
  std::int32_t left_out = 0;

  TspMode tsp_mode_or_default() const;
  std::array<std::int16_t, 3> colour_or_default() const;
  std::vector<float> zones_or_default() const;
  // The settings held, for the user: "closed roads, temporary speeds and zones".
  std::string names() const;
};

// The user's settings of "Corvane.ini" as `ini` read it. Closures and temporary speeds must name
// a link 1 .. `link_count`; at most the rows of their tables are read.
StoredSettings ReadStoredSettings(const win::ProfileSnapshot& ini, std::string_view ini_file,
                                  std::int32_t link_count, SettingsNotes& notes);

// [INFO] "TSP MODE" and "TSP STRAIGHT LINE" as stored: the tour kind, none when "TSP MODE" is a
// number of no kind (a missing key, or one that holds no number, gives the start-end tour, as TSP
// Options shows it), and whether the stops are ordered by straight lines ("TSP STRAIGHT LINE"
// beginning with "Yes").
struct StoredTspMode {
  std::optional<TourKind> kind;
  bool straight_line = false;

  // The mode these give, none without a kind.
  std::optional<TspMode> mode() const;
};
StoredTspMode ReadStoredTspMode(const win::ProfileSnapshot& ini, std::string_view ini_file,
                                SettingsNotes& notes);

// [INFO] "ROUTE TYPE" as the route options dialog takes it: by its first character, "S" the
// shortest route and "F" the fastest; none for any other text or a missing key. (The opening
// carries only "Shortest" and "Fastest" themselves into a rebuilt file.)
std::optional<std::int32_t> ReadStoredRouteChoice(const win::ProfileSnapshot& ini);

// [INFO] "DESC FIELD NAME" as it stands; none when missing.
std::optional<std::string> ReadStoredDescriptionField(const win::ProfileSnapshot& ini);

// [INFO] "RECORD NO" and "ATTRIBUTE FLAG" as an opening reads them, once, for its tests and the
// shared state alike: the record count as stored (settings::Missing when missing) and the
// attribute flag's numeric value (0 when missing or no number).
struct StoredBuildFacts {
  std::string record_no;
  double attribute_flag = 0;

  // The number "RECORD NO" holds; -1, which no layer's count matches, when it holds none (a
  // count written with a decimal comma, "16,216", is none, never 16).
  double record_count() const;
};
StoredBuildFacts ReadStoredBuildFacts(const win::ProfileSnapshot& ini);

// [ISOCHRONE] alone: the limits of the zones, at most MaxZoneCount, each a number from 0 to
// what single precision holds, in ascending order (zones out of order are put in it, and named).
std::vector<float> ReadStoredZones(const win::ProfileSnapshot& ini, std::string_view ini_file,
                                   SettingsNotes& notes);

// The road classes of "link.spd" ([SPEED VALUES]), at most the 32 rows of their table: a class
// value must fit 16 bits; a speed that is missing or no speed (negative, not finite, beyond
// single precision) gives the class 1 mph, the speed of a new class. Files of older writers name
// a class's speed and alias with the class value written plainly ("Speed 7 (mph)").
struct StoredRoadClasses {
  std::vector<RoadClassSpeed> classes;
  std::int32_t left_out = 0;
};
StoredRoadClasses ReadStoredRoadClasses(const win::ProfileSnapshot& speeds,
                                        std::string_view speed_file, SettingsNotes& notes);

// Put the lists into the shared state: gClosedLinks and gTempSpeeds at rows 1 .. count.
void StoreClosedLinks(const std::vector<std::int32_t>& links);
void StoreTempSpeeds(const std::vector<TempSpeedRow>& speeds);

// The changes that write the settings into a new "Corvane.ini" in the build's order, the
// defaults of a new network where nothing is held: [CLOSED ROADS], [TEMPORARY SPEEDS],
// [ISOCHRONE], then [INFO] "ROUTE TYPE", "TSP MODE", "TSP STRAIGHT LINE" and, when held,
// "DESC FIELD NAME", then [Color]. The distance units are the build's own to write.
void AddStoredSettings(settings::Changes& changes, const StoredSettings& stored);

} // namespace corvane
