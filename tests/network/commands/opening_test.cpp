#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "com/create.h"
#include "common/engine_error_text.h"
#include "common/result_field.h"
#include "dialogs/network/n_load.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/network_building.h"
#include "network/network_loading.h"
#include "network/network_opening.h"
#include "network/state/road_class_rows.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network_fixture.h"
#include "win/clock.h"
#include "win/num_text.h"
#include "win/paths.h"
#include "win/profile.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using forms::Answer;

class Opening : public testing::NetworkTest {
protected:
  SharedState& state() { return shared_state(); }

  // What the last opening did with the engine.
  std::string outcome() const {
    if (engine_->called("CreateNetwork"))
      return "rebuild";
    if (engine_->called("LoadNetwork"))
      return "load";
    return "stop";
  }
  void write(std::string_view section, std::string_view key, std::string_view value) {
    settings::write(ini(), section, key, value);
  }
  std::vector<std::string> lines_of(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r')
        line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(Opening, RebuildsExactlyWhenTheFilesNoLongerDescribeTheLayer) {
  add_roads();
  const struct {
    const char* name;
    std::function<void()> change;
    std::vector<Answer> answers;
    const char* expected;
  } cases[] = {
      {"nothing changed", [] {}, {}, "load"},
      {"Corvane.ini missing", [this] { std::filesystem::remove(ini()); }, {}, "rebuild"},
      {"link.bin missing", [this] { std::filesystem::remove(path("link.bin")); }, {}, "rebuild"},
      {"dist.bin missing", [this] { std::filesystem::remove(path("dist.bin")); }, {}, "rebuild"},
      {"coord.bin missing", [this] { std::filesystem::remove(path("coord.bin")); }, {}, "rebuild"},
      {"node.bin missing", [this] { std::filesystem::remove(path("node.bin")); }, {}, "rebuild"},
      {"link.spd missing", [this] { std::filesystem::remove(path("link.spd")); }, {}, "rebuild"},
      {"SHAPE FILE in upper case",
       [this] {
         auto value = ini_value(settings::Info, settings::ShapeFile);
         std::ranges::transform(value, value.begin(),
                                [](unsigned char ch) { return std::toupper(ch); });
         write(settings::Info, settings::ShapeFile, value);
       },
       {},
       "rebuild"},
      {"SHAPE FILE with more after the path",
       [this] {
         write(settings::Info, settings::ShapeFile,
               ini_value(settings::Info, settings::ShapeFile) + ".old");
       },
       {},
       "load"},
      {"shapefile saved 59 s after the settings",
       [this] { set_modified("Corvane.ini", "roads.shp", -59s); },
       {},
       "load"},
      {"shapefile saved 61 s after the settings",
       [this] { set_modified("Corvane.ini", "roads.shp", -61s); },
       {},
       "rebuild"},
      {"ATTRIBUTE FLAG 0 without attribute.bin",
       [this] { std::filesystem::remove(path("attribute.bin")); },
       {},
       "rebuild"},
      {"ATTRIBUTE FLAG 1 without attribute.bin",
       [this] {
         std::filesystem::remove(path("attribute.bin"));
         write(settings::Info, settings::AttributeFlag, " 1");
       },
       {},
       "load"},
      {"other units, answered Yes",
       [this] { write(settings::Info, settings::EsriMapUnits, " 9002"); },
       {Answer::Yes},
       "rebuild"},
      {"other units, answered No",
       [this] { write(settings::Info, settings::EsriMapUnits, " 9002"); },
       {Answer::No},
       "stop"},
      {"the layer's units with more after them, answered No",
       [this] { write(settings::Info, settings::EsriMapUnits, " 9001,5"); },
       {Answer::No},
       "stop"},
      {"RECORD NO differs",
       [this] { write(settings::Info, settings::RecordNo, " 5"); },
       {},
       "rebuild"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ini());
    build();
    ASSERT_EQ(outcome(), "rebuild");
    c.change();
    engine_->calls.clear();
    user_->answers.assign(c.answers.begin(), c.answers.end());
    take_messages();
    open();
    EXPECT_EQ(outcome(), c.expected);
    const auto messages = take_messages();
    if (c.answers.empty()) {
      EXPECT_EQ(messages.back(), c.expected == std::string("load")
                                     ? "Network loaded successfully"
                                     : "Network created successfully");
    } else {
      EXPECT_EQ(messages.front(), "Current roads units do not match with the Network's units. "
                                  "Create the new network?");
    }
  }
}

TEST_F(Opening, AFreshBuildWritesOnlyTheDefaultsOfANewNetwork) {
  add_roads({1, 2, 3, 2});
  // Settings of an earlier network in memory.
  state().gClosedLinkCount = 1;
  state().gTempSpeedCount = 2;
  state().gNetworkResultPresent = true;
  win::clock::set(std::chrono::sys_days{std::chrono::year{2026} / 3 / 4} + 15h + 4min + 5s);
  const auto now = win::clock::now();

  build();

  EXPECT_EQ(lines_of(ini()), (std::vector<std::string>{"[INFO]",
                                                       "SHAPE FILE=" + path("roads.shp"),
                                                       "RECORD NO= 4",
                                                       "ESRIMAPUNITS= 9001",
                                                       "OCXMAPUNITS= 7",
                                                       "OCXDISTUNITS=Kilometers",
                                                       "EDITED=" + settings::edited_value(now, now),
                                                       "ATTRIBUTE FIELD=CLASS",
                                                       "ATTRIBUTE FLAG= 0",
                                                       "ROUTE TYPE=Shortest",
                                                       "TSP MODE= 1",
                                                       "TSP STRAIGHT LINE=No",
                                                       "[CLOSED ROADS]",
                                                       "Total= 0",
                                                       "[TEMPORARY SPEEDS]",
                                                       "Total= 0",
                                                       "[ISOCHRONE]",
                                                       "Zone  1= 5",
                                                       "Zone  2= 10",
                                                       "Zone  3= 15",
                                                       "Total Zones= 3",
                                                       "[Color]",
                                                       "RED=255",
                                                       "GREEN=0",
                                                       "BLUE=0"}));
  EXPECT_EQ(
      lines_of(path("link.spd")),
      (std::vector<std::string>{"[SPEED VALUES]", "TOTAL CATEGORIES= 3", "Category  1= 1",
                                "Speed  1 (mph)= 1", "Speed  1 (alias)=Speed 1", "Category  2= 2",
                                "Speed  2 (mph)= 1", "Speed  2 (alias)=Speed 2", "Category  3= 3",
                                "Speed  3 (mph)= 1", "Speed  3 (alias)=Speed 3"}));
  EXPECT_FALSE(std::filesystem::exists(path("Attrib.txt")));

  const auto& s = state();
  EXPECT_EQ(s.gNetBase.get(), engine_.get());
  EXPECT_EQ(s.gNetworkState, NetworkLoaded);
  EXPECT_EQ(s.gClosedLinkCount, 0);
  EXPECT_EQ(s.gTempSpeedCount, 0);
  EXPECT_FALSE(s.gNetworkResultPresent);
  EXPECT_EQ(s.gRoadClassCount, 3);
  EXPECT_EQ(s.gRoadClassSpeeds[2].ClassValue, 3);
  EXPECT_EQ(s.gRoadClassSpeeds[2].Alias, "Speed 3");
  EXPECT_FLOAT_EQ(s.gRoadClassSpeeds[2].SpeedKmph, 1.609342f);
  EXPECT_EQ(s.gZoneCount, 3);
  EXPECT_EQ(s.gZoneMax, 15);
  EXPECT_EQ(s.gTspMode, (TspMode{.kind = TourKind::RoundTrip}));
  EXPECT_EQ(s.gRouteType, RouteShortest);
  EXPECT_EQ(s.gRouteColorRed, 255);
  EXPECT_EQ(engine_->map_units, 7);
  EXPECT_EQ(engine_->distance_units, 0);
  EXPECT_EQ(s.gDistUnits, "Kilometers");
}

TEST_F(Opening, RoadClassesAreTheAttributeMagnitudesModulo32) {
  const struct {
    double value;
    bool valid;
    std::int32_t road_class;
  } cases[] = {{7, true, 7},     {39, true, 7},     {4096, true, 0},  {-5.7, true, 5},
               {31.9, true, 31}, {4096.9, true, 0}, {4097, false, 0}, {-4097, false, 0}};
  for (const auto& c : cases) {
    std::int32_t road_class = -1;
    EXPECT_EQ(RoadClassOf(c.value, road_class), c.valid) << c.value;
    if (c.valid) {
      EXPECT_EQ(road_class, c.road_class) << c.value;
    }
  }
}

TEST_F(Opening, TheEngineGetsTheTruncatedAttributeValuesAndOneClassPerValue) {
  add_roads({7, 39, 4096, -5.7});
  build();
  EXPECT_EQ(engine_->attribute_lines, (std::vector<std::string>{"7", "39", "4096", "-5"}));
  EXPECT_EQ(ini_value(settings::SpeedValues, settings::TotalCategories), "Default")
      << "the classes are in link.spd";
  const auto speed_file = path("link.spd");
  EXPECT_EQ(settings::read(speed_file, settings::SpeedValues, settings::TotalCategories), "3");
  for (const auto& [category, value] : {std::pair{1, "0"}, {2, "5"}, {3, "7"}})
    EXPECT_EQ(settings::read(speed_file, settings::SpeedValues, settings::category_key(category)),
              value);
}

TEST_F(Opening, AnInvalidAttributeValueGivesTheNetworkNoRoadClassField) {
  add_roads({7, 4097, 3});
  build();
  ASSERT_GE(user_->messages.size(), 2u);
  const auto& invalid = user_->messages[0];
  EXPECT_EQ(invalid.text, "The attribute field you have selected contains invalid entries");
  EXPECT_EQ(invalid.title, "Field Invalid");
  EXPECT_EQ(invalid.icon, forms::Icon::None);
  EXPECT_EQ(user_->messages.back().text, "Network created successfully");
  EXPECT_EQ(engine_->attribute_lines, (std::vector<std::string>{"1", "1", "1"}));
  EXPECT_EQ(ini_value(settings::Info, settings::AttributeFlag), "1");
  EXPECT_EQ(state().gRoadClassCount, 1);
  EXPECT_EQ(state().gRoadClassSpeeds[0].ClassValue, 1);
  EXPECT_EQ(state().gRoadClassSpeeds[0].Alias, "Speed  1");
}

// Without a numeric field there is no class field to ask for: the build says so and puts every
// road in the one class 1, as "Default Attribute" does.
TEST_F(Opening, ALayerWithoutANumericFieldPutsEveryRoadInOneClass) {
  const auto roads = add_roads()->FeatureClass();
  const auto name = com::create_object<host::HostFieldEdit>(host::FieldClass);
  name->SetName("NAME");
  name->SetType(host::field_string);
  name->SetLength(20);
  ASSERT_EQ(roads->AddField(name.get()), com::S_OK);
  for (const char* numeric : {"CLASS", "ID"}) {
    const auto fields = roads->Fields();
    ASSERT_EQ(roads->DeleteField(fields->Field(fields->FindField(numeric)).get()), com::S_OK);
  }
  build();
  EXPECT_EQ(std::count(user_->shown.begin(), user_->shown.end(), "Polylines1"), 0);
  ASSERT_GE(user_->messages.size(), 2u);
  EXPECT_EQ(user_->messages[0].text, "No valid attribute field found in roads.shp");
  EXPECT_EQ(user_->messages[0].title, "Attribute field not found");
  EXPECT_EQ(user_->messages.back().text, "Network created successfully");
  EXPECT_EQ(ini_value(settings::Info, settings::AttributeFlag), "1");
  EXPECT_EQ(state().gRoadClassCount, 1);
  EXPECT_EQ(state().gRoadClassSpeeds[0].ClassValue, 1);
}

TEST_F(Opening, LoadsTheStoredSettingsOfTheNetwork) {
  add_roads();
  build();
  // Besides the usable rows, link numbers that no layer has, up to one beyond 32 bits.
  write(settings::TemporarySpeeds, settings::Total, " 3");
  settings::write_temp_speed(ini(), 1, {2, 50, 31.0686});
  settings::write_temp_speed(ini(), 2, {99, 70, 43.5});
  settings::write_temp_speed(ini(), 3, {1e12, 70, 43.5});
  write(settings::ClosedRoads, settings::Total, " 3");
  settings::write_closed_link(ini(), 1, 3);
  settings::write_closed_link(ini(), 2, 0);
  write(settings::ClosedRoads, settings::link_row_key(3), " 1E+12");
  settings::write_zones(ini(), {2.5, 4});
  write(settings::Info, settings::TspMode, " 1");
  write(settings::Info, settings::TspStraightLine, "Yes please");
  write(settings::Color, settings::Red, "300");
  write(settings::Color, settings::Blue, " 127.5 ");
  settings::delete_section(ini(), settings::Color);
  write(settings::Color, settings::Red, "300");
  write(settings::Color, settings::Blue, " 127.5 ");
  const auto speed_file = path("link.spd");
  settings::delete_section(speed_file, settings::SpeedValues);
  settings::write(speed_file, settings::SpeedValues, settings::TotalCategories, " 1");
  settings::write(speed_file, settings::SpeedValues, settings::category_key(1), " 3");
  settings::write_road_class_speed(speed_file, 3, 62.1372f);
  settings::write_road_class_alias(speed_file, 3, " Motorway ");
  state().gTspMode = TspMode{.kind = TourKind::StartOnly};
  const int elements_before = element_count();

  engine_->calls.clear();
  open();
  ASSERT_EQ(outcome(), "load");

  const auto& s = state();
  EXPECT_EQ(s.gRoadClassCount, 1);
  EXPECT_EQ(s.gRoadClassSpeeds[0].ClassValue, 3);
  EXPECT_NEAR(s.gRoadClassSpeeds[0].SpeedKmph, 100, 1e-3);
  EXPECT_EQ(s.gRoadClassSpeeds[0].Alias, "Motorway");
  EXPECT_EQ(s.gTempSpeedCount, 1) << "links the layer does not have are left out";
  EXPECT_EQ(s.gTempSpeeds[1].Link, 2);
  EXPECT_EQ(s.gTempSpeeds[1].SpeedKmph, 50);
  EXPECT_EQ(s.gTempSpeeds[1].SpeedMph, 31.0686);
  EXPECT_EQ(s.gClosedLinkCount, 1);
  EXPECT_EQ(s.gClosedLinks[1], 3);
  EXPECT_EQ(element_count() - elements_before, 2) << "one speed and one closure marker";
  EXPECT_EQ(s.gZoneCount, 2);
  EXPECT_EQ(s.gZoneValues[1], 2.5f);
  EXPECT_EQ(s.gZoneMax, 4);
  EXPECT_EQ(s.gTspMode, (TspMode{.kind = TourKind::RoundTrip, .straight_line = true}));
  EXPECT_EQ(s.gRouteColorRed, 255);
  EXPECT_EQ(s.gRouteColorGreen, 0);
  EXPECT_EQ(s.gRouteColorBlue, 128);
  EXPECT_EQ(s.gNetworkState, NetworkLoaded);
  EXPECT_EQ(s.gNetBase.get(), engine_.get());
}

TEST_F(Opening, SettingsBeyondWhatCanBeKeptAreReportedAndTheOpeningStaysConsistent) {
  add_roads();
  const auto speed_file = path("link.spd");
  auto write_links = [this](std::string_view section, int rows) {
    write(section, settings::Total, win::NumText(rows));
    for (int row = 1; row <= rows; ++row) {
      const std::int32_t link = row % 4 + 1;
      if (section == settings::ClosedRoads)
        settings::write_closed_link(ini(), row, link);
      else
        settings::write_temp_speed(ini(), row, {double(link), 50, 31.0686});
    }
  };
  auto write_categories = [&](std::vector<std::string> values) {
    settings::delete_section(speed_file, settings::SpeedValues);
    settings::write(speed_file, settings::SpeedValues, settings::TotalCategories,
                    win::NumText(static_cast<std::int32_t>(values.size())));
    for (std::size_t k = 0; k < values.size(); ++k)
      settings::write(speed_file, settings::SpeedValues,
                      settings::category_key(static_cast<std::int32_t>(k + 1)), values[k]);
  };
  const struct {
    const char* name;
    std::function<void()> change;
    const char* outcome;
    std::string warning; // a part of the one warning shown
    std::function<void()> check;
  } cases[] = {
      {"a billion zones", [&] { write(settings::Isochrone, settings::TotalZones, " 1E+09"); },
       "load",
       "[ISOCHRONE] \"Total Zones\" gives 1000000000 zones, but the file holds only 3; those "
       "are read.",
       [&] {
         EXPECT_EQ(state().gZoneCount, 3);
         EXPECT_EQ(state().gZoneMax, 15);
       }},
      {"fewer zones than none", [&] { write(settings::Isochrone, settings::TotalZones, "-2"); },
       "load",
       "[ISOCHRONE] \"Total Zones\" gives \"-2\", which is no count; the 3 zones in the file "
       "are read.",
       [&] { EXPECT_EQ(state().gZoneCount, 3); }},
      {"301 closed roads", [&] { write_links(settings::ClosedRoads, 301); }, "load",
       "[CLOSED ROADS] \"Total\" gives 301 closed roads, more than the 300",
       [&] {
         EXPECT_EQ(state().gClosedLinkCount, 300);
         EXPECT_EQ(state().gClosedLinks[300], 1);
       }},
      {"301 temporary speeds", [&] { write_links(settings::TemporarySpeeds, 301); }, "load",
       "[TEMPORARY SPEEDS] \"Total\" gives 301 temporary speeds, more than the 300",
       [&] {
         EXPECT_EQ(state().gTempSpeedCount, 300);
         EXPECT_EQ(state().gTempSpeeds[300].Link, 1);
       }},
      {"33 road classes",
       [&] {
         std::vector<std::string> values;
         for (int c = 0; c < 33; ++c)
           values.push_back(win::NumText(c));
         write_categories(values);
       },
       "load", "[SPEED VALUES] \"TOTAL CATEGORIES\" gives 33 road classes, more than the 32",
       [&] { EXPECT_EQ(state().gRoadClassCount, 32); }},
      {"a class value beyond 16 bits",
       [&] {
         write_categories({" 40000", " 3"});
       },
       "load",
       "[SPEED VALUES] \"Category  1\" gives \"40000\", which is no road class; it is ignored.",
       [&] {
         EXPECT_EQ(state().gRoadClassCount, 1);
         EXPECT_EQ(state().gRoadClassSpeeds[0].ClassValue, 3);
       }},
      {"OCXMAPUNITS missing",
       [&] {
         win::write_profile_string(settings::Info, settings::OcxMapUnits, std::nullopt, ini());
       },
       "load",
       "[INFO] \"OCXMAPUNITS\" is missing or names no map unit; the unit of the layer is used.",
       [&] {
         EXPECT_EQ(engine_->map_units, 7) << "metres, the layer's unit";
         EXPECT_EQ(ini_value(settings::Info, settings::OcxMapUnits), "7");
       }},
      {"OCXMAPUNITS no number", [&] { write(settings::Info, settings::OcxMapUnits, "metres"); },
       "load", "[INFO] \"OCXMAPUNITS\" is missing or names no map unit",
       [&] { EXPECT_EQ(engine_->map_units, 7); }},
      // Whatever units a network opened before had, and at a first opening too.
      {"OCXDISTUNITS unknown",
       [&] {
         write(settings::Info, settings::OcxDistUnits, "Furlongs");
         state().gDistUnits = "Miles";
       },
       "load",
       "[INFO] \"OCXDISTUNITS\" holds \"Furlongs\", which is neither Kilometers nor Miles; the "
       "engine's units, Kilometers, are used.",
       [&] {
         EXPECT_EQ(state().gDistUnits, "Kilometers");
         EXPECT_EQ(std::ranges::count(engine_->calls, "SetDistanceUnits(0)"), 1);
       }},
      {"OCXDISTUNITS unknown at a first opening",
       [&] {
         write(settings::Info, settings::OcxDistUnits, "kilometers");
         state().gDistUnits.clear();
       },
       "load", "which is neither Kilometers nor Miles; the engine's units, Kilometers, are used.",
       [&] {
         EXPECT_EQ(state().gDistUnits, "Kilometers");
         EXPECT_EQ(std::ranges::count(engine_->calls, "SetDistanceUnits(0)"), 1);
       }},
      {"a TSP MODE that is no number",
       [&] {
         write(settings::Info, settings::TspMode, "one");
         state().gTspMode = {.kind = TourKind::StartOnly};
       },
       "load", "[INFO] \"TSP MODE\" gives \"one\", which is no number; the start-end tour (0)",
       [&] { EXPECT_EQ(state().gTspMode, (TspMode{.kind = TourKind::StartEnd})); }},
      {"a closed road written with a decimal comma",
       [&] {
         write(settings::ClosedRoads, settings::Total, " 1");
         write(settings::ClosedRoads, settings::link_row_key(1), " 1,216");
       },
       "load",
       "[CLOSED ROADS] \" 1 . Link Number \" gives \"1,216\" (a number with a "
       "comma, which the settings files never hold), which names no link of the layer",
       [&] { EXPECT_EQ(state().gClosedLinkCount, 0); }},
      {"a road-class speed below 1 mph",
       [&] { settings::write(speed_file, settings::SpeedValues, "Speed  1 (mph)", " 1e-300"); },
       "load", "[SPEED VALUES] \"Speed  1 (mph)\" gives \"1e-300\", below the lowest speed",
       [&] { EXPECT_EQ(state().gRoadClassSpeeds[0].SpeedMph, 1); }},
      {"a section written twice",
       [&] { std::ofstream(ini(), std::ios::app) << "[Color]\r\nRED= 9\r\n"; }, "load",
       "[Color] is written twice; the first copy is used and the second (1 key)",
       [&] { EXPECT_EQ(state().gRouteColorRed, 255); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(ini());
    build();
    ASSERT_EQ(outcome(), "rebuild");
    c.change();
    state().gNetworkState = NetworkClosed;
    engine_->calls.clear();
    take_messages();
    open();
    EXPECT_EQ(outcome(), c.outcome);
    const auto messages = take_messages();
    const auto warnings = std::ranges::count_if(messages, [&](const std::string& text) {
      return text.find(c.warning) != std::string::npos;
    });
    EXPECT_EQ(warnings, 1) << ::testing::PrintToString(messages);
    c.check();
  }
}

TEST_F(Opening, ARebuildOfTheSameLinksKeepsTheClosuresAndSpeeds) {
  add_roads();
  for (const bool count_changed : {false, true}) {
    SCOPED_TRACE(count_changed ? "a record count that is not the layer's" : "the folder moved");
    std::filesystem::remove(ini());
    build();
    const auto shapefile = ini_value(settings::Info, settings::ShapeFile);
    write(settings::ClosedRoads, settings::Total, " 1");
    settings::write_closed_link(ini(), 1, 3);
    write(settings::TemporarySpeeds, settings::Total, " 1");
    settings::write_temp_speed(ini(), 1, {2, 50, 31.0686});
    write(settings::Info, settings::ShapeFile, "C:\\old place\\roads.shp");
    if (count_changed)
      write(settings::Info, settings::RecordNo, " 5");
    engine_->calls.clear();
    open();
    ASSERT_EQ(outcome(), "rebuild");
    EXPECT_EQ(state().gClosedLinkCount, 1);
    EXPECT_EQ(state().gTempSpeedCount, 1);
    EXPECT_EQ(ini_value(settings::ClosedRoads, settings::Total), "1");
    EXPECT_EQ(ini_value(settings::Info, settings::ShapeFile), shapefile);
    EXPECT_EQ(state().gClosedLinks[1], 3);
    EXPECT_EQ(state().gTempSpeeds[1].SpeedKmph, 50);
    EXPECT_EQ(ini_value(settings::TemporarySpeeds, settings::link_row_key(1)), "2");
  }
}

TEST_F(Opening, EndsWithItsMessageAndKeepsWhatWasSetBefore) {
  const auto error_log = std::filesystem::path(path("drives")) / "C" / "CVErrors.txt";
  std::filesystem::create_directories(error_log.parent_path());
  std::ofstream(error_log) << "old";
  open();
  EXPECT_EQ(take_messages(), std::vector<std::string>{"At least one feature layer is required "});
  EXPECT_FALSE(std::filesystem::exists(error_log));

  // Only the add-in's own outputs.
  add_layer(shapefile("Route", host::geometry_polyline, {{{0, 0}, {1, 1}}}), "Route");
  add_layer(shapefile("links", host::geometry_polyline, {{{0, 0}, {1, 1}}}), "IsoLink");
  open();
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{"No polyline type shape feature class found"});

  // The layer dialog closed without a choice.
  add_roads();
  open();
  EXPECT_TRUE(take_messages().empty());
  EXPECT_EQ(state().gNetworkLayerName, "");

  std::filesystem::rename(path("roads.prj"), path("roads.prj.aside"));
  user_->choose("Polylines", "roads");
  open();
  EXPECT_EQ(user_->messages.back().title, "PRJ");
  EXPECT_EQ(state().gNetworkLayerName, "roads");
  EXPECT_EQ(state().gNetworkFolder, path());
  std::filesystem::rename(path("roads.prj.aside"), path("roads.prj"));
}

// The engine's reason is the user's to read, as after a build.
TEST_F(Opening, AFailedLoadSaysWhyAndKeepsTheSettingsReadBeforeIt) {
  add_roads();
  build();
  settings::write_zones(ini(), {7});
  state().gNetworkState = NetworkClosed;
  const auto other = com::make<testing::ScriptedNetBase>();
  state().gNetBase = other;
  engine_->load_result = -15;
  engine_->last_error_text = "/data/link.bin: it holds 3 links, the layer 4";
  take_messages();
  open();
  EXPECT_EQ(take_messages(), std::vector<std::string>{
                                 "Network could not be loaded: Error = " + EngineErrorText(-15) +
                                 "\n/data/link.bin: it holds 3 links, the "
                                 "layer 4"});
  EXPECT_EQ(state().gZoneMax, 7);
  EXPECT_EQ(state().gRoadClassCount, 3);
  EXPECT_EQ(state().gNetworkState, NetworkClosed);
  EXPECT_EQ(state().gNetBase.get(), other.get());
}

// A refused build tells why, in the engine's words naming the file, and leaves the layer's
// table as it was: the result field comes only after the engine accepted the layer.
TEST_F(Opening, AFailingEngineStepEndsTheBuildWithoutSettingsFilesOrResultField) {
  const struct {
    std::int32_t testing::ScriptedNetBase::*result;
    const char* message;
    const char* last_call;
  } cases[] = {
      {&testing::ScriptedNetBase::create_result,
       "Network could not be created: Error = ", "CreateNetwork(roads, 0, )"},
      {&testing::ScriptedNetBase::attribute_result,
       "Network could not be created: Error = ", "CreateAttributeFile(Attrib.txt)"},
      {&testing::ScriptedNetBase::load_result,
       "Network could not be loaded: Error = ", "LoadNetwork()"},
  };
  add_roads();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.last_call);
    state().gNetBase = nullptr;
    engine_->create_result = engine_->attribute_result = engine_->load_result = 0;
    (*engine_).*c.result = -31;
    engine_->last_error_text = "/data/roads.dbf: its header counts 9 records";
    engine_->calls.clear();
    take_messages();
    build();
    EXPECT_EQ(take_messages(),
              std::vector<std::string>{c.message + EngineErrorText(-31) +
                                       "\n/data/roads.dbf: its header counts 9 records"});
    EXPECT_EQ(engine_->calls.back(), c.last_call);
    EXPECT_FALSE(std::filesystem::exists(ini()));
    EXPECT_FALSE(state().gNetBase);
    EXPECT_LT(roads_->FeatureClass()->FindField("CV_RESULT"), 0);
  }
}

// A table damaged after its layer was added is refused by the host at the build's first read:
// the user is told which layer, nothing reports success, and the table is untouched.
TEST_F(Opening, ATableTheHostRefusesIsNamedAndLeftAsItWas) {
  add_roads();
  const auto dbf = std::filesystem::path(path()) / "roads.dbf";
  std::string damaged;
  {
    std::ifstream in(dbf, std::ios::binary);
    damaged.assign(std::istreambuf_iterator<char>(in), {});
  }
  damaged[4] = '\x7f'; // a record count the file cannot hold
  std::ofstream(dbf, std::ios::binary | std::ios::trunc) << damaged;
  take_messages();
  build();
  const auto messages = take_messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("The files of the network layer " +
                                  win::join_path(path(), "roads.shp") + " could not be read",
                              0),
            0u)
      << messages[0];
  EXPECT_FALSE(std::filesystem::exists(ini()));
  std::ifstream in(dbf, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
}

TEST_F(Opening, TheBuildAsksForTheUnitsTheMapDoesNotGiveAndStopsOnCancel) {
  add_roads();
  map()->SetDistanceUnits(host::Meters);
  std::string units_answer = "Miles";
  user_->handlers["Polylines"] = [&](forms::IForm& form) {
    const bool units = form.ShownCaption() == "Distance Units";
    if (units && units_answer.empty())
      return; // closed by its frame
    testing::perform(form, "Combo1", forms::Gesture::Select, units ? units_answer : "roads");
    testing::perform(form, "CmdOk", forms::Gesture::Click);
  };
  user_->choose("Polylines1", "Default Attribute");
  open();
  EXPECT_EQ(ini_value(settings::Info, settings::OcxDistUnits), "Miles");
  EXPECT_EQ(engine_->distance_units, 1);
  EXPECT_EQ(ini_value(settings::Info, settings::AttributeFlag), "1");
  EXPECT_EQ(state().gRoadClassSpeeds[0].Alias, "Speed  1");

  std::filesystem::remove(ini());
  units_answer.clear();
  engine_->calls.clear();
  open();
  EXPECT_FALSE(engine_->called("CreateNetwork"));
  EXPECT_EQ(state().gAttributeFlag, 1);
  EXPECT_EQ(state().gRoadClassCount, 0);

  user_->handlers.erase("Polylines1");
  state().gAttributeFlag = 5;
  open();
  EXPECT_EQ(state().gAttributeFlag, 0) << "the attribute dialog was cancelled";
  EXPECT_FALSE(engine_->called("CreateNetwork"));
}

TEST_F(Opening, TheBuildRefusesALayerInAnUnknownCoordinateSystem) {
  auto links = shapefile("links", host::geometry_polyline, {{{0, 0}, {1, 1}}});
  std::ofstream(path("links.prj")) << "not a coordinate system";
  add_layer(links, "links");
  user_->choose("Polylines", "links");
  open();
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{"Co-ordinate unit of links Unsupported by Corvane"});
  EXPECT_FALSE(engine_->called("SetMapUnits"));
}

TEST_F(Opening, TheResultFieldIsRemadeOnlyWhenItsDefinitionDiffers) {
  const struct {
    int scale; // -1: no field yet
    bool keeps_values;
  } cases[] = {{-1, false}, {3, true}, {2, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scale);
    map()->ClearLayers();
    std::filesystem::remove_all(path());
    std::filesystem::create_directories(path());
    const auto features = add_roads()->FeatureClass();
    if (c.scale >= 0) {
      const auto field = com::create_object<host::HostFieldEdit>(host::FieldClass);
      field->SetName("CV_RESULT");
      field->SetType(host::field_double);
      field->SetPrecision(10);
      field->SetScale(c.scale);
      ASSERT_EQ(features->AddField(field.get()), com::S_OK);
      com::ComPtr<host::HostFeature> feature;
      ASSERT_EQ(features->GetFeature(0, &feature), com::S_OK);
      ASSERT_EQ(feature->SetValue(features->FindField("CV_RESULT"), 5.5), com::S_OK);
      ASSERT_EQ(feature->Store(), com::S_OK);
    }
    ASSERT_TRUE(EnsureResultField(features.get()));
    const int index = features->FindField("CV_RESULT");
    ASSERT_GE(index, 0);
    const auto field = features->Fields()->Field(index);
    EXPECT_EQ(field->Type(), host::field_double);
    EXPECT_EQ(field->Precision(), 10);
    EXPECT_EQ(field->Scale(), 3);
    com::ComPtr<host::HostFeature> feature;
    ASSERT_EQ(features->GetFeature(0, &feature), com::S_OK);
    EXPECT_EQ(feature->Value(index).val() == 5.5, c.keeps_values);
  }
}

TEST_F(Opening, ProgressEventsMoveTheLoadBarWithoutShowingTheWindow) {
  ShowLoadProgress(40);
  ShowLoadProgress(100);
  EXPECT_EQ(gNLoadForm().ProgressBar1.Value(), 100);
  EXPECT_FALSE(gNLoadForm().Visible());
  gNLoadForm().Unload();
}

} // namespace
} // namespace corvane
