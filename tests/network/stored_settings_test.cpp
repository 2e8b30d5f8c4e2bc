#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "network/state/stored_settings.h"
#include "support/test_folder.h"

namespace corvane {
namespace {

class StoredSettingsTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = testing::fresh_test_folder("stored_settings");
    ini_ = NetworkIniFile(folder_.string());
    spd_ = SpeedClassFile(folder_.string());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  static void write_raw(const std::string& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  }
  // The settings of a layer of 10 links.
  StoredSettings read_ini(const std::string& text) {
    write_raw(ini_, text);
    notes_ = {};
    return ReadStoredSettings(win::ProfileSnapshot(ini_), ini_, 10, notes_);
  }
  StoredRoadClasses read_speeds(const std::string& text) {
    write_raw(spd_, text);
    notes_ = {};
    return ReadStoredRoadClasses(win::ProfileSnapshot(spd_), spd_, notes_);
  }

  std::filesystem::path folder_;
  std::string ini_, spd_;
  SettingsNotes notes_;
};

std::vector<std::int32_t> links_of(const StoredSettings& stored) {
  return stored.closed_links.value_or(std::vector<std::int32_t>{});
}

// Every value the opening once took without a word, with what is done and what the user reads.
TEST_F(StoredSettingsTest, ValuesThatCannotBeUsedAreNamedWithWhatIsDone) {
  using Check = std::function<void(const StoredSettings&)>;
  const struct {
    const char* name;
    std::string text;
    Check check;
    std::vector<std::string> notes; // each after "FILE: "
  } cases[] = {
      {"zone count beyond the rows",
       "[ISOCHRONE]\r\nTotal Zones= 1000\r\nZone  1= 2\r\nZone  2= 4\r\nZone  3= 8\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.zones, (std::vector<float>{2, 4, 8}));
       },
       {"[ISOCHRONE] \"Total Zones\" gives 1000 zones, but the file holds only 3; those are "
        "read."}},
      {"a zone row missing",
       "[ISOCHRONE]\r\nTotal Zones= 3\r\nZone  1= 2\r\nZone  3= 8\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.zones, (std::vector<float>{2, 8}));
       },
       {"[ISOCHRONE] \"Zone  2\" is missing; the zone is left out."}},
      {"zones that are no limits",
       "[ISOCHRONE]\r\nTotal Zones= 5\r\nZone  1= nan\r\nZone  2= inf\r\nZone  3=-4\r\n"
       "Zone  4= 1e308\r\nZone  5= 7\r\n",
       [](const StoredSettings& s) { EXPECT_EQ(s.zones, (std::vector<float>{7})); },
       {"[ISOCHRONE] \"Zone  1\" gives \"nan\", which is no zone limit; the zone is left out.",
        "[ISOCHRONE] \"Zone  2\" gives \"inf\", which is no zone limit; the zone is left out.",
        "[ISOCHRONE] \"Zone  3\" gives \"-4\", which is no zone limit; the zone is left out.",
        "[ISOCHRONE] \"Zone  4\" gives \"1e308\", which is no zone limit; the zone is left out."}},
      {"closures naming no link",
       "[CLOSED ROADS]\r\nTotal= 4\r\n 1 . Link Number = 0\r\n 2 . Link Number =-3\r\n"
       " 3 . Link Number = 11\r\n 4 . Link Number = 10\r\n",
       [](const StoredSettings& s) { EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{10})); },
       {"[CLOSED ROADS] \" 1 . Link Number \" gives \"0\", which names no link of the layer (1 to "
        "10); the closed road is left out.",
        "[CLOSED ROADS] \" 2 . Link Number \" gives \"-3\", which names no link of the layer (1 "
        "to 10); the closed road is left out.",
        "[CLOSED ROADS] \" 3 . Link Number \" gives \"11\", which names no link of the layer (1 "
        "to 10); the closed road is left out."}},
      {"a count that is no number",
       "[CLOSED ROADS]\r\nTotal= 1e308\r\n 1 . Link Number = 4\r\n",
       [](const StoredSettings& s) { EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{4})); },
       {"[CLOSED ROADS] \"Total\" gives 1E+308 closed roads, but the file holds only 1; those "
        "are read."}},
      {"a negative count",
       "[CLOSED ROADS]\r\nTotal=-1\r\n 1 . Link Number = 4\r\n 2 . Link Number = 5\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{4, 5}));
       },
       {"[CLOSED ROADS] \"Total\" gives \"-1\", which is no count; the 2 closed roads in the file "
        "are read."}},
      {"zones out of order, of 0 and repeated",
       "[ISOCHRONE]\r\nTotal Zones= 5\r\nZone  1= 0\r\nZone  2= 10\r\nZone  3= 5\r\n"
       "Zone  4= 10\r\nZone  5= 15\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.zones, (std::vector<float>{0, 5, 10, 10, 15}));
       },
       {"[ISOCHRONE] \"Zone  1\" gives \"0\", a zone that bounds nothing; it is kept, as the zone "
        "options keep it.",
        "[ISOCHRONE] \"Zone  3\" gives \"5\", below the \"10\" of \"Zone  2\"; the zones are put "
        "in ascending order.",
        "[ISOCHRONE] \"Zone  4\" gives \"10\", as \"Zone  2\" does; both are kept, and the second "
        "bounds nothing more."}},
      {"colours outside 0-255",
       "[Color]\r\nRED=300\r\nGREEN=-5\r\nBLUE=127.5\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.colour, (std::array<std::int16_t, 3>{255, 0, 128}));
       },
       {"[Color] \"RED\" gives \"300\", outside 0 to 255; 255 is used.",
        "[Color] \"GREEN\" gives \"-5\", outside 0 to 255; 0 is used.",
        "[Color] \"BLUE\" gives \"127.5\", which is no whole number; 128 is used."}},
      {"colours that are no numbers",
       "[Color]\r\nRED=0xFF\r\nGREEN=12.7\r\nBLUE= 9\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.colour, (std::array<std::int16_t, 3>{0, 13, 9}));
       },
       {"[Color] \"RED\" gives \"0xFF\", which is no number; 0 is used.",
        "[Color] \"GREEN\" gives \"12.7\", which is no whole number; 13 is used."}},
      {"a link number with a fraction",
       "[CLOSED ROADS]\r\nTotal= 2\r\n 1 . Link Number = 6.7\r\n 2 . Link Number = 5\r\n",
       [](const StoredSettings& s) { EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{5})); },
       {"[CLOSED ROADS] \" 1 . Link Number \" gives \"6.7\", which names no link of the layer "
        "(1 to 10); the closed road is left out."}},
      {"a count with a fraction",
       "[CLOSED ROADS]\r\nTotal= 1.5\r\n 1 . Link Number = 4\r\n 2 . Link Number = 5\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{4, 5}));
       },
       {"[CLOSED ROADS] \"Total\" gives \"1.5\", which is no count; the 2 closed roads in the "
        "file are read."}},
      {"a count below the rows",
       "[CLOSED ROADS]\r\n 1 . Link Number = 4\r\n 2 . Link Number = 5\r\nTotal= 1\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{4, 5}));
       },
       {"[CLOSED ROADS] \"Total\" gives 1 closed roads, but the file holds 2; all 2 are "
        "read."}},
      {"temporary speeds of 0 and speeds that disagree",
       "[TEMPORARY SPEEDS]\r\nTotal= 2\r\n 1 . Link Number = 3\r\nLink Number 1 (mph)= 0\r\n"
       "Link Number 1 (kmph)= 0\r\n 2 . Link Number = 4\r\nLink Number 2 (mph)= 50\r\n"
       "Link Number 2 (kmph)= 50\r\n",
       [](const StoredSettings& s) {
         ASSERT_EQ(s.temp_speeds->size(), 1u);
         EXPECT_EQ(s.temp_speeds->front().SpeedKmph, 50);
         EXPECT_NEAR(s.temp_speeds->front().SpeedMph, 31.0686, 1e-3);
       },
       {"[TEMPORARY SPEEDS] \"Link Number 1 (mph)\" gives \"0\", which is no speed; the "
        "temporary speed is left out.",
        "[TEMPORARY SPEEDS] \"Link Number 2 (mph)\" gives \"50\", which disagrees with \"50\" "
        "km/h; the km/h speed is used."}},
      {"a missing TSP mode and an unknown straight-line answer",
       "[INFO]\r\nTSP STRAIGHT LINE=Maybe\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.tsp_mode, (TspMode{.kind = TourKind::StartEnd}));
       },
       {"[INFO] \"TSP STRAIGHT LINE\" gives \"Maybe\", which is neither Yes nor No; routes "
        "between the stops are taken along the roads, as with No."}},
      {"a missing TSP mode with straight lines",
       "[INFO]\r\nTSP STRAIGHT LINE=Yes\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.tsp_mode, (TspMode{.kind = TourKind::StartEnd, .straight_line = true}));
       },
       {}},
      {"the [INFO] line lost: its keys stand above the first section",
       "ROUTE TYPE=Fastest\r\nTSP MODE= 2\r\nDESC FIELD NAME=NAME\r\n[Color]\r\nRED= 1\r\n"
       "GREEN= 2\r\nBLUE= 3\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.route_type, "Fastest");
         EXPECT_EQ(s.tsp_mode, (TspMode{.kind = TourKind::StartOnly}));
         EXPECT_EQ(s.description_field, "NAME");
       },
       {}},
      {"unknown TSP mode and route type",
       "[INFO]\r\nTSP MODE= 77\r\nTSP STRAIGHT LINE=Yes\r\nROUTE TYPE=Quickest\r\n",
       [](const StoredSettings& s) {
         EXPECT_FALSE(s.tsp_mode);
         EXPECT_FALSE(s.route_type);
       },
       {"[INFO] \"ROUTE TYPE\" gives \"Quickest\", which is neither Shortest nor Fastest; it is "
        "not used.",
        "[INFO] \"TSP MODE\" gives \"77\", which is no TSP mode (0, 1 or 2); it is not used."}},
      {"a temporary speed that is no speed",
       "[TEMPORARY SPEEDS]\r\nTotal= 2\r\n 1 . Link Number = 3\r\nLink Number 1 (mph)= nan\r\n"
       "Link Number 1 (kmph)= 5\r\n 2 . Link Number = 4\r\nLink Number 2 (mph)= 20\r\n"
       "Link Number 2 (kmph)= 32\r\n",
       [](const StoredSettings& s) {
         ASSERT_EQ(s.temp_speeds->size(), 1u);
         EXPECT_EQ(s.temp_speeds->front().Link, 4);
         EXPECT_EQ(s.temp_speeds->front().SpeedKmph, 32);
       },
       {"[TEMPORARY SPEEDS] \"Link Number 1 (mph)\" gives \"nan\", which is no speed; the "
        "temporary speed is left out."}},
      {"a row without speeds never takes another row's",
       "[TEMPORARY SPEEDS]\r\nTotal= 2\r\n 1 . Link Number = 2\r\nLink Number 1 (mph)= 20\r\n"
       "Link Number 1 (kmph)= 32\r\n 2 . Link Number = 1\r\n",
       [](const StoredSettings& s) {
         ASSERT_EQ(s.temp_speeds->size(), 1u);
         EXPECT_EQ(s.temp_speeds->front().Link, 2);
       },
       {"[TEMPORARY SPEEDS] \"Link Number 2 (mph)\" is missing; the temporary speed is left "
        "out."}},
      {"numbers written with a decimal comma or followed by text",
       "[CLOSED ROADS]\r\nTotal= 3\r\n 1 . Link Number = 6,7\r\n 2 . Link Number = 4 x\r\n"
       " 3 . Link Number = 5\r\n[ISOCHRONE]\r\nTotal Zones= 2,0\r\nZone  1= 7,5\r\n"
       "Zone  2= 10\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{5}));
         EXPECT_EQ(s.zones, (std::vector<float>{10}));
       },
       {"[CLOSED ROADS] \" 1 . Link Number \" gives \"6,7\" (a number with a comma, which the "
        "settings files never hold), which names no link of the layer (1 to 10); the closed road "
        "is left out.",
        "[CLOSED ROADS] \" 2 . Link Number \" gives \"4 x\", which names no link of the layer (1 "
        "to 10); the closed road is left out.",
        "[ISOCHRONE] \"Total Zones\" gives \"2,0\" (a number with a comma, which the settings "
        "files never hold), which is no count; the 2 zones in the file are read.",
        "[ISOCHRONE] \"Zone  1\" gives \"7,5\" (a number with a comma, which the settings files "
        "never hold), which is no zone limit; the zone is left out."}},
      {"a temporary speed below 1 mph",
       "[TEMPORARY SPEEDS]\r\nTotal= 1\r\n 1 . Link Number = 3\r\nLink Number 1 (mph)= 1e-300\r\n"
       "Link Number 1 (kmph)= 1e-300\r\n",
       [](const StoredSettings& s) {
         ASSERT_EQ(s.temp_speeds->size(), 1u);
         EXPECT_EQ(s.temp_speeds->front().SpeedKmph, 1.6093);
         EXPECT_NEAR(s.temp_speeds->front().SpeedMph, 1, 1e-4);
       },
       {"[TEMPORARY SPEEDS] \"Link Number 1 (kmph)\" gives \"1e-300\", below the lowest speed, "
        "1 mph (1.6093 km/h); 1.6093 km/h is used."}},
      {"a TSP mode that is no number is the start-end tour",
       "[INFO]\r\nTSP MODE=Round\r\nTSP STRAIGHT LINE=Yes\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(s.tsp_mode, (TspMode{.kind = TourKind::StartEnd, .straight_line = true}));
       },
       {"[INFO] \"TSP MODE\" gives \"Round\", which is no number; the start-end tour (0) is "
        "used, as TSP Options shows it."}},
      {"keys and a section written twice: the first copy is read",
       "[CLOSED ROADS]\r\nTotal= 1\r\n 1 . Link Number = 4\r\n 1 . link number = 5\r\n"
       "Total= 1\r\n[Color]\r\nRED= 1\r\nGREEN= 2\r\nBLUE= 3\r\n[CLOSED ROADS]\r\nTotal= 2\r\n"
       " 2 . Link Number = 6\r\n",
       [](const StoredSettings& s) {
         EXPECT_EQ(links_of(s), (std::vector<std::int32_t>{4}));
         EXPECT_EQ(s.left_out, 2);
       },
       {"[CLOSED ROADS] \"1 . link number\" is written twice; the first copy (\"4\") is used and "
        "the second (\"5\") is ignored.",
        "[CLOSED ROADS] \"Total\" is written twice, both times \"1\"; it is read once.",
        "[CLOSED ROADS] is written twice; the first copy is used and the second (2 keys) is "
        "ignored."}},
      {"a key written twice above the first section",
       "ROUTE TYPE=Fastest\r\nROUTE TYPE=Shortest\r\n[Color]\r\nRED= 1\r\nGREEN= 2\r\nBLUE= 3\r\n",
       [](const StoredSettings& s) { EXPECT_EQ(s.route_type, "Fastest"); },
       {"above the first section, \"ROUTE TYPE\" is written twice; the first copy (\"Fastest\") "
        "is used and the second (\"Shortest\") is ignored."}},
      {"speeds keyed by link, as older writers left them",
       "[TEMPORARY SPEEDS]\r\nTotal= 2\r\n 1 . Link Number = 7\r\nLink Number 7 (mph)= 30\r\n"
       "Link Number 7 (kmph)= 48.28\r\n 2 . Link Number = 9\r\nLink Number 9 (mph)= 20\r\n"
       "Link Number 9 (kmph)= 32\r\n",
       [](const StoredSettings& s) {
         ASSERT_EQ(s.temp_speeds->size(), 2u);
         EXPECT_EQ((*s.temp_speeds)[0].SpeedKmph, 48.28);
         EXPECT_EQ((*s.temp_speeds)[1].SpeedMph, 20);
       },
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto stored = read_ini(c.text);
    c.check(stored);
    std::vector<std::string> expected;
    for (const auto& note : c.notes)
      expected.push_back(ini_ + ": " + note);
    EXPECT_EQ(notes_.lines(), expected);
  }
}

// Each tour mode is stored as two keys, read back as it was, and handed to the engine as one
// code (the file holds " 2", read without its blank); the reader follows the first three
// letters of "TSP STRAIGHT LINE".
TEST_F(StoredSettingsTest, EveryTourModeIsReadBackAsItWasStored) {
  const struct {
    TspMode mode;
    std::string_view mode_text, straight_text;
    std::int32_t engine_code;
  } cases[] = {
      {{.kind = TourKind::StartEnd}, "0", "No", 0},
      {{.kind = TourKind::RoundTrip}, "1", "No", 1},
      {{.kind = TourKind::StartOnly}, "2", "No", 2},
      {{.kind = TourKind::StartEnd, .straight_line = true}, "0", "Yes", 10},
      {{.kind = TourKind::RoundTrip, .straight_line = true}, "1", "Yes", 11},
      {{.kind = TourKind::StartOnly, .straight_line = true}, "2", "Yes", 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.engine_code);
    write_raw(ini_, "[INFO]\r\n");
    settings::Changes changes;
    settings::set_tsp_mode(changes, c.mode);
    ASSERT_TRUE(settings::commit(ini_, changes));
    const win::ProfileSnapshot ini(ini_);
    EXPECT_EQ(ini.read(settings::Info, settings::TspMode, ""), c.mode_text);
    EXPECT_EQ(ini.read(settings::Info, settings::TspStraightLine, ""), c.straight_text);
    notes_ = {};
    EXPECT_EQ(ReadStoredTspMode(ini, ini_, notes_).mode(), c.mode);
    EXPECT_TRUE(notes_.lines().empty());
    EXPECT_EQ(c.mode.engine_code(), c.engine_code);
  }
  write_raw(ini_, "[INFO]\r\nTSP MODE= 1\r\nTSP STRAIGHT LINE=Yesterday\r\n");
  EXPECT_EQ(ReadStoredTspMode(win::ProfileSnapshot(ini_), ini_, notes_).mode(),
            (TspMode{.kind = TourKind::RoundTrip, .straight_line = true}));
}

// A speed written with a decimal comma is no speed, one below the lowest the speed dialog takes
// gets that, and of a key written twice the first copy counts.
TEST_F(StoredSettingsTest, RoadClassSpeedsAreNeverReadAsAnotherSpeed) {
  const auto stored = read_speeds(
      "[SPEED VALUES]\r\nTOTAL CATEGORIES= 3\r\nCategory  1= 12\r\nSpeed  12 (mph)= 24,85488\r\n"
      "Category  2= 13\r\nSpeed  13 (mph)= 1e-300\r\nCategory  3= 14\r\nSpeed  14 (mph)= 30\r\n"
      "Speed  14 (mph)= 40\r\n");
  ASSERT_EQ(stored.classes.size(), 3u);
  EXPECT_EQ(stored.classes[0].SpeedMph, 1);
  EXPECT_EQ(stored.classes[1].SpeedMph, 1);
  EXPECT_EQ(stored.classes[2].SpeedMph, 30);
  EXPECT_EQ(stored.left_out, 2) << "the second copy and the speed with a comma";
  EXPECT_EQ(notes_.lines(),
            (std::vector<std::string>{
                spd_ + ": [SPEED VALUES] \"Speed  14 (mph)\" is written twice; the first copy "
                       "(\"30\") is used and the second (\"40\") is ignored.",
                spd_ + ": [SPEED VALUES] \"Speed  12 (mph)\" gives \"24,85488\" (a number with "
                       "a comma, which the settings files never hold), which is no speed; the "
                       "class gets 1 mph, the speed of a new class.",
                spd_ + ": [SPEED VALUES] \"Speed  13 (mph)\" gives \"1e-300\", below the lowest "
                       "speed, 1 mph; 1 mph is used."}));
}

TEST_F(StoredSettingsTest, RoadClassesAreReadAsFarAsTheyCanBeUsed) {
  auto stored = read_speeds("[SPEED VALUES]\r\nTOTAL CATEGORIES=-1\r\nCategory  1= 1\r\n"
                            "Speed  1 (mph)= nan\r\nSpeed  1 (alias)=Lane\r\nCategory  2= 32768\r\n"
                            "Category  3= 7\r\nSpeed 7 (mph)=50\r\nSpeed 7 (alias)=Main road\r\n");
  ASSERT_EQ(stored.classes.size(), 2u);
  EXPECT_EQ(stored.classes[0].SpeedMph, 1);
  EXPECT_EQ(stored.classes[0].Alias, "Lane");
  // Keys of older writers, the class value written plainly.
  EXPECT_EQ(stored.classes[1].ClassValue, 7);
  EXPECT_EQ(stored.classes[1].SpeedMph, 50);
  EXPECT_EQ(stored.classes[1].Alias, "Main road");
  EXPECT_EQ(notes_.lines(),
            (std::vector<std::string>{
                spd_ + ": [SPEED VALUES] \"TOTAL CATEGORIES\" gives \"-1\", which is no count; "
                       "the 3 road classes in the file are read.",
                spd_ + ": [SPEED VALUES] \"Speed  1 (mph)\" gives \"nan\", which is no speed; the "
                       "class gets 1 mph, the speed of a new class.",
                spd_ + ": [SPEED VALUES] \"Category  2\" gives \"32768\", which is no road class; "
                       "it is ignored."}));
}

} // namespace
} // namespace corvane
