#pragma once

// The network's settings files, in the one form every command reads and writes:
//   "Corvane.ini"  [INFO], [CLOSED ROADS], [TEMPORARY SPEEDS], [ISOCHRONE], [Color]
//   "link.spd"     [SPEED VALUES], the road classes
//   "Attrib.txt"   the road class of every link, only while the engine makes its own file
// Both settings files are profile files (win/profile.h). A value is read with the default
// "Default" into a buffer of 255 characters, so a missing key reads "Default" (0 as a number)
// and a longer value comes back cut to 254 characters. Numbers are written as NumText (one
// blank before a number that is zero or positive), and so are the counters inside keys: the
// key of zone 1 is "Zone" followed by two blanks and 1.
//
// Files written by older writers key a temporary speed by its link number instead of its row,
// and a road class's speed and alias with one blank ("Speed 7 (mph)"). The readers of the
// sections (network/state/stored_settings.h) accept those keys, so such files still load; the
// writers here always write the usual keys.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/state/shared_state.h"
#include "win/clock.h"
#include "win/profile.h"

namespace corvane {

inline constexpr std::string_view NetworkIniFileName = "Corvane.ini";
inline constexpr std::string_view SpeedClassFileName = "link.spd";
inline constexpr std::string_view AttributeTextFileName = "Attrib.txt";

// The full paths of the three files in a network folder.
std::string NetworkIniFile(std::string_view folder);
std::string SpeedClassFile(std::string_view folder);
std::string AttributeTextFile(std::string_view folder);

namespace settings {

// What a read gives for a missing key (or file).
inline constexpr std::string_view Missing = "Default";

inline constexpr std::string_view Info = "INFO";
inline constexpr std::string_view ClosedRoads = "CLOSED ROADS";
inline constexpr std::string_view TemporarySpeeds = "TEMPORARY SPEEDS";
inline constexpr std::string_view Isochrone = "ISOCHRONE";
inline constexpr std::string_view Color = "Color";
inline constexpr std::string_view SpeedValues = "SPEED VALUES";

// [INFO]
inline constexpr std::string_view ShapeFile = "SHAPE FILE";
inline constexpr std::string_view RecordNo = "RECORD NO";
inline constexpr std::string_view EsriMapUnits = "ESRIMAPUNITS";
inline constexpr std::string_view OcxMapUnits = "OCXMAPUNITS";
inline constexpr std::string_view OcxDistUnits = "OCXDISTUNITS";
inline constexpr std::string_view Edited = "EDITED";
inline constexpr std::string_view AttributeField = "ATTRIBUTE FIELD";
inline constexpr std::string_view AttributeFlag = "ATTRIBUTE FLAG";
inline constexpr std::string_view RouteType = "ROUTE TYPE";
inline constexpr std::string_view TspMode = "TSP MODE";
inline constexpr std::string_view TspStraightLine = "TSP STRAIGHT LINE";
inline constexpr std::string_view DescFieldName = "DESC FIELD NAME";
// [CLOSED ROADS] and [TEMPORARY SPEEDS]
inline constexpr std::string_view Total = "Total";
// [ISOCHRONE]
inline constexpr std::string_view TotalZones = "Total Zones";
// [Color]
inline constexpr std::string_view Red = "RED";
inline constexpr std::string_view Green = "GREEN";
inline constexpr std::string_view Blue = "BLUE";
// [SPEED VALUES]
inline constexpr std::string_view TotalCategories = "TOTAL CATEGORIES";

// Values of [INFO] keys.
inline constexpr std::string_view Kilometers = "Kilometers";
inline constexpr std::string_view Miles = "Miles";
inline constexpr std::string_view Shortest = "Shortest";
inline constexpr std::string_view Fastest = "Fastest";
inline constexpr std::string_view NoRoadClassField = " ";
// [INFO] "DESC FIELD NAME" once the field chosen for directions is gone from the layer.
inline constexpr std::string_view DescriptionFieldNotFound = "Description Field Not Found";

// Keys with a counter or a class value.
std::string zone_key(std::int32_t zone);               // "Zone " + NumText(zone)
std::string link_row_key(std::int32_t row);            // NumText(row) + " . Link Number "
std::string temp_speed_mph_key(std::int32_t row);      // "Link Number" + NumText(row) + " (mph)"
std::string temp_speed_kmph_key(std::int32_t row);     // "Link Number" + NumText(row) + " (kmph)"
std::string category_key(std::int32_t category);       // "Category " + NumText(category)
std::string class_speed_key(std::int32_t class_value); // "Speed " + NumText(c) + " (mph)"
std::string class_alias_key(std::int32_t class_value); // "Speed " + NumText(c) + " (alias)"
// "Speed " + the class value as written + " (unit)", "mph" or "alias".
std::string class_key(std::string_view class_text, std::string_view unit);
// The alias a new road class gets: "Speed" + NumText(c), "Speed 7" for class 7.
std::string default_class_alias(std::int32_t class_value);
// The row of a class new to the table: 1 mph (1.609342 km/h) under its default alias.
RoadClassSpeed default_road_class(std::int32_t class_value);

// Reading. `read` gives the value text, Missing for a missing key; `read_number` its leading
// number (0 for Missing or no number). Whoever needs a whole number checks that the number
// fits and tells the user when it does not.
std::string read(std::string_view file, std::string_view section, std::string_view key);
double read_number(std::string_view file, std::string_view section, std::string_view key);
// The value however long, where a cut one would be wrong: [INFO] "SHAPE FILE" holds a path,
// which may be longer than the 254 characters of a usual read.
std::string read_unbounded(std::string_view file, std::string_view section, std::string_view key);

// Writing. Every user action writes each settings file once: its changes are gathered in
// `Changes` and `commit` applies them in their order to the file as it stands (or, for a
// build, to an empty file) in one replacement, so that a kill leaves the old file or the new
// one. False when the file cannot be written, and then it is as it was.
using Changes = std::vector<win::ProfileChange>;
bool commit(std::string_view file, const Changes& changes,
            win::ProfileBase base = win::ProfileBase::existing_file);
void set(Changes& changes, std::string_view section, std::string_view key, std::string_view value);
// One key alone, a null key deleting the section.
bool write(std::string_view file, std::string_view section, std::string_view key,
           std::string_view value);
bool delete_section(std::string_view file, std::string_view section);

// Records of the settings files.

// Row `row` of [TEMPORARY SPEEDS] (rows from 1): the link number and both speeds.
bool write_temp_speed(std::string_view ini_file, std::int32_t row, const TempSpeedRow& speed);

// Row `row` of [CLOSED ROADS]: the link number.
bool write_closed_link(std::string_view ini_file, std::int32_t row, std::int32_t link);

// The lists of links, each section written anew where it stands in the file: "Total", then the
// rows 1 .. count by their keys (a temporary speed's row key, its "(mph)" and its "(kmph)").
void replace_closed_links(Changes& changes, const std::vector<std::int32_t>& links);
void replace_temp_speeds(Changes& changes, const std::vector<TempSpeedRow>& speeds);

// [ISOCHRONE]: the zone limits 1 .. "Total Zones". The writer replaces the section (at the end
// of the file): the zones, then "Total Zones".
// The zone list's capacity: the most zones the polygon tools draw within bounded time and
// memory. On the sample network each zone that covers it all costs about 20 ms cut to a clip
// polygon (9 ms without) and 0.8 MB (bench/README.md, "Many zones"), so the heaviest list takes
// about 20 s and 0.8 GB, a third of the time and memory a zone list may take; a network larger
// than the sample draws larger zones. The opening reads no more, and the zone dialog adds no more.
inline constexpr std::int32_t MaxZoneCount = 1000;
void replace_zones(Changes& changes, const std::vector<float>& limits);
bool write_zones(std::string_view ini_file, const std::vector<float>& limits);

// "link.spd": a class's speed in mph (km/h derived as mph / 0.621372) and its alias.
bool write_road_class_speed(std::string_view speed_file, std::int32_t class_value, float mph);
// The "(mph)" speed of every class, in one write of the file.
bool write_road_class_speeds(std::string_view speed_file,
                             const std::vector<RoadClassSpeed>& classes);
bool write_road_class_alias(std::string_view speed_file, std::int32_t class_value,
                            std::string_view alias);
// Replaces "link.spd" with the classes, in order: "TOTAL CATEGORIES", then for class k its
// category key, its "(mph)" speed and its "(alias)". The file is written whole under a
// temporary name beside it and renamed over it, so that the user's speeds are never left half
// written; false, with the old file in place, when it cannot be written.
bool write_road_classes(std::string_view speed_file, const std::vector<RoadClassSpeed>& classes);

// The [INFO] "EDITED" value: the date of `date` ("MM/dd/yy"), a blank and the time of `time`
// ("hh.mm.ss AM/PM"). The stamp after a calculation gives the time one minute ahead.
std::string edited_value(win::clock::time_point date, win::clock::time_point time);

// [INFO] "OCXDISTUNITS" as the network opening takes it: "Kilometers" when the value begins
// with it, "Miles" when it begins with that (letter case counts), nothing otherwise.
std::optional<std::string> read_distance_units(std::string_view ini_file);
std::optional<std::string> distance_units(std::string_view value);

// gTspMode as [INFO] "TSP MODE" (the kind's number) and "TSP STRAIGHT LINE" ("Yes" or "No").
void set_tsp_mode(Changes& changes, corvane::TspMode mode);
bool write_tsp_mode(std::string_view ini_file, corvane::TspMode mode);

// [Color]: the components as plain numbers ("255").
void set_colour(Changes& changes, std::int16_t red, std::int16_t green, std::int16_t blue);
bool write_colour(std::string_view ini_file, std::int16_t red, std::int16_t green,
                  std::int16_t blue);

// "Attrib.txt": the line of a link with a road-class value: the value's whole-number part,
// without leading blank ("7", "-5"). Links of a network without road-class field get NoClassLine.
inline constexpr std::string_view NoClassLine = "1";
std::string attribute_line(double class_value);
// Replaces the file with these lines, each ended by CR LF. Why it cannot be written (naming the
// file and the reason), or nothing when it is.
std::optional<std::string> write_attribute_text(std::string_view folder,
                                                const std::vector<std::string>& lines);

} // namespace settings

} // namespace corvane
