#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "files/file_error.h"
#include "files/replace_file.h"
#include "network/state/build_mark.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network_fixture.h"
#include "support/killed_at_step.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string read_bytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const std::string& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The file without its [INFO] section.
std::string without_info(const std::string& text) {
  const auto begin = text.find("[INFO]");
  const auto end = text.find("\n[", begin);
  return text.substr(0, begin) + text.substr(end + 1);
}

// The text as a two-byte (UTF-16 LE) file with its byte-order mark.
std::string two_byte(const std::string& text) {
  std::string bytes = "\xFF\xFE";
  for (const char c : text)
    bytes.append({c, '\0'});
  return bytes;
}

class HostileSettings : public testing::NetworkTest {
protected:
  // A built network whose user changed every setting a rebuild carries over.
  void SetUp() override {
    NetworkTest::SetUp();
    add_roads();
    build();
    change_every_setting();
  }

  void change_every_setting() {
    settings::Changes changes;
    settings::replace_closed_links(changes, {3});
    settings::replace_temp_speeds(changes, {{2, 50, 31.0686}});
    settings::replace_zones(changes, {2, 4, 8});
    settings::set_colour(changes, 10, 20, 30);
    settings::set(changes, settings::Info, settings::RouteType, settings::Fastest);
    settings::set_tsp_mode(changes, TspMode{.kind = TourKind::StartOnly, .straight_line = true});
    settings::set(changes, settings::Info, settings::OcxDistUnits, settings::Miles);
    settings::set(changes, settings::Info, settings::DescFieldName, "CLASS");
    ASSERT_TRUE(settings::commit(ini(), changes));
    clean_ini_ = read_bytes(ini());
    clean_speeds_ = read_bytes(path("link.spd"));
  }

  // The road layer saved anew by another program.
  void replace_roads(const std::vector<host::Path>& links, const std::vector<double>& classes) {
    map()->ClearLayers();
    for (const auto* extension : {".shp", ".shx", ".dbf", ".prj", ".cpg"})
      fs::remove(path(std::string("roads") + extension));
    add_roads(links, classes);
  }

  // The road layer anew, with these links, a network built from it whose user changed every
  // setting, and no copies kept.
  void network_of(const std::vector<host::Path>& links, const std::vector<double>& classes) {
    replace_roads(links, classes);
    for (const auto* name : {"Corvane.ini", "link.spd", "Corvane.ini.bak", "link.spd.bak"})
      fs::remove(path(name));
    build();
    change_every_setting();
  }

  SharedState& state() { return shared_state(); }

  // The folder's files as they are now, kept aside, and put back as they were.
  void keep_folder() {
    fs::create_directory(kept());
    for (const auto& entry : fs::directory_iterator(path()))
      if (entry.is_regular_file())
        fs::copy_file(entry.path(), kept() / entry.path().filename());
  }
  void restore_folder() {
    for (const auto& entry : fs::directory_iterator(path()))
      if (entry.is_regular_file())
        fs::remove(entry.path());
    for (const auto& entry : fs::directory_iterator(kept()))
      fs::copy_file(entry.path(), path(entry.path().filename().string()));
  }
  fs::path kept() const { return path("kept"); }

  std::string clean_ini_, clean_speeds_;
};

// Each file as a hostile or unlucky user leaves it: what the opening does, the one message it
// shows besides its usual one, and which settings survive.
TEST_F(HostileSettings, AreReadAsEditorsWriteThemAndNeverReplacedInSilence) {
  const auto ini_file = ini();
  const auto speed_file = path("link.spd");
  const std::string loaded = "Network loaded successfully";
  const std::string built = "Network created successfully";
  const auto unreadable = [&](const std::string& file, const std::string& reason) {
    return file + " could not be read: " + reason +
           ". The network is built again; nothing in it could be carried over. The old file is "
           "kept as " +
           file + ".bak.";
  };
  enum class Kept { everything, all_but_info, info_only, nothing };
  using Edit = std::function<std::string(const std::string&)>;
  const Edit same = [](const std::string& text) { return text; };
  const struct {
    const char* name;
    Edit ini, speeds;
    std::vector<std::string> messages;
    Kept kept;
    std::string backup; // the file kept as ".bak", with the hostile bytes
  } cases[] = {
      {"byte-order mark",
       [](const std::string& t) { return "\xEF\xBB\xBF" + t; },
       same,
       {loaded},
       Kept::everything,
       ""},
      {"CR line ends",
       [](const std::string& t) { return replaced(t, "\r\n", "\r"); },
       [](const std::string& t) { return replaced(t, "\r\n", "\r"); },
       {loaded},
       Kept::everything,
       ""},
      {"LF line ends, blanks and tabs around names and values",
       [](const std::string& t) { return replaced(replaced(t, "\r\n", "\n"), "=", " \t= "); },
       [](const std::string& t) { return replaced(t, "=", "\t=  "); },
       {loaded},
       Kept::everything,
       ""},
      {"empty",
       [](const std::string&) { return std::string(); },
       same,
       {built, unreadable(ini_file, "it is empty")},
       Kept::nothing,
       ini_file},
      {"no [INFO]",
       without_info,
       same,
       {built, ini_file + " could not be read: it has no [INFO] section. The network is built "
                          "again, and its closed roads, temporary speeds, zones and route colour "
                          "are carried over."},
       Kept::all_but_info,
       ""},
      {"cut off after [INFO]",
       [](const std::string& t) { return t.substr(0, t.find("[CLOSED ROADS]")); },
       same,
       {loaded, ini_file + ": [CLOSED ROADS] is missing; no road is closed.\n" + ini_file +
                    ": [TEMPORARY SPEEDS] is missing; no road has a temporary speed.\n" + ini_file +
                    ": [ISOCHRONE] is missing; there are no zones.\n" + ini_file +
                    ": [Color] is missing; the route colour is black (0, 0, 0)."},
       Kept::info_only,
       ""},
      {"fields the road layer does not have",
       [](const std::string& t) {
         return replaced(replaced(t, "DESC FIELD NAME=CLASS", "DESC FIELD NAME=STREET"),
                         "ATTRIBUTE FIELD=CLASS", "ATTRIBUTE FIELD=KIND");
       },
       same,
       {loaded, ini_file +
                    ": [INFO] \"DESC FIELD NAME\" gives \"STREET\", which names no field "
                    "of the road layer; directions are not named by it.\n" +
                    ini_file +
                    ": [INFO] \"ATTRIBUTE FIELD\" gives \"KIND\", which names no field "
                    "of the road layer; the road classes of the network files stand "
                    "until \"Update Road Classes\" or a new build."},
       Kept::everything,
       ""},
      {"the [INFO] line lost",
       [](const std::string& t) { return replaced(t, "[INFO]\r\n", ""); },
       same,
       {built, ini_file + " could not be read: it has no [INFO] section. The network is built "
                          "again, and its closed roads, temporary speeds, zones, route colour, "
                          "route options and TSP settings are carried over."},
       Kept::everything,
       ""},
      {"zone beyond single precision",
       [](const std::string& t) { return replaced(t, "Zone  3= 8", "Zone  3= 1e308"); },
       same,
       {loaded, ini_file + ": [ISOCHRONE] \"Zone  3\" gives \"1e308\", which is no zone limit; "
                           "the zone is left out."},
       Kept::everything,
       ""},
      {"zones out of order",
       [](const std::string& t) {
         return replaced(
             replaced(replaced(t, "Zone  1= 2", "Zone  1= 4"), "Zone  2= 4", "Zone  2= 8"),
             "Zone  3= 8", "Zone  3= 2");
       },
       same,
       {loaded, ini_file + ": [ISOCHRONE] \"Zone  3\" gives \"2\", below the \"8\" of "
                           "\"Zone  2\"; the zones are put in ascending order."},
       Kept::everything,
       ""},
      {"class speed beyond single precision, under an older writer's key",
       same,
       [](const std::string& t) {
         return replaced(t, "Speed  1 (mph)= 1", "Speed 1 (mph)= 1e308");
       },
       {loaded, speed_file + ": [SPEED VALUES] \"Speed 1 (mph)\" gives \"1e308\", which is no "
                             "speed; the class gets 1 mph, the speed of a new class."},
       Kept::everything,
       ""},
      {"single-byte text that is no UTF-8",
       same,
       [](const std::string& t) { return replaced(t, "=Speed 1\r", "=Gr\xF6n v\xE4g\r"); },
       {loaded},
       Kept::everything,
       ""},
      {"two-byte characters",
       two_byte,
       same,
       {built, unreadable(ini_file, "it is no text of single-byte characters")},
       Kept::nothing,
       ini_file},
      {"link.spd empty",
       same,
       [](const std::string&) { return std::string(); },
       {built, unreadable(speed_file, "it is empty")},
       Kept::everything,
       speed_file},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& file : {ini_file, speed_file})
      fs::remove(file + ".bak");
    const auto hostile_ini = c.ini(clean_ini_);
    const auto hostile_speeds = c.speeds(clean_speeds_);
    write_bytes(ini_file, hostile_ini);
    write_bytes(speed_file, hostile_speeds);
    state().gNetworkState = NetworkClosed;
    state().gTspMode = TspMode{.kind = TourKind::StartEnd};
    take_messages();
    open();
    EXPECT_EQ(take_messages(), c.messages);

    const auto& s = state();
    EXPECT_EQ(s.gNetworkState, NetworkLoaded);
    const bool kept = c.kept != Kept::nothing && c.kept != Kept::info_only;
    const bool info_kept = c.kept == Kept::everything || c.kept == Kept::info_only;
    EXPECT_EQ(s.gClosedLinkCount, kept ? 1 : 0);
    EXPECT_EQ(s.gTempSpeedCount, kept ? 1 : 0);
    if (kept) {
      EXPECT_EQ(s.gClosedLinks[1], 3);
      EXPECT_EQ(s.gTempSpeeds[1].SpeedKmph, 50);
    }
    if (c.kept != Kept::info_only) {
      EXPECT_EQ(s.gZoneValues[2], kept ? 4 : 10);
    }
    EXPECT_EQ(s.gRouteColorGreen, kept ? 20 : 0);
    EXPECT_EQ(s.gTspMode, (info_kept ? TspMode{.kind = TourKind::StartOnly, .straight_line = true}
                                     : TspMode{.kind = TourKind::RoundTrip}));
    EXPECT_EQ(ini_value(settings::Info, settings::RouteType), info_kept ? "Fastest" : "Shortest");
    if (std::string(c.name) == "zones out of order") {
      // The tools stop at the largest limit, not at the last zone's.
      EXPECT_EQ(s.gZoneMax, 8);
      EXPECT_EQ(s.gZoneValues[1], 2);
    }
    if (std::string(c.name) == "single-byte text that is no UTF-8") {
      EXPECT_EQ(s.gRoadClassSpeeds[0].Alias, "Gr\xF6n v\xE4g");
    }
    if (c.backup.empty()) {
      EXPECT_FALSE(fs::exists(ini_file + ".bak") || fs::exists(speed_file + ".bak"));
    } else {
      EXPECT_EQ(read_bytes(c.backup + ".bak"), c.backup == ini_file ? hostile_ini : hostile_speeds);
    }
  }
}

// Straight links side by side, 100 m each.
std::vector<host::Path> links(int count) {
  std::vector<host::Path> paths;
  for (int i = 0; i < count; ++i) {
    const double x = 500000 + 100.0 * i;
    paths.push_back({{x, 6400000}, {x + 100, 6400000}});
  }
  return paths;
}

// Whatever makes the network be built again, every setting that still applies is carried over
// in the build's one write of each file; what is not is kept in a ".bak" and named.
TEST_F(HostileSettings, EveryRebuildCarriesWhatStillAppliesAndKeepsTheRest) {
  const auto ini_file = ini();
  const auto speed_file = path("link.spd");
  const std::string built = "Network created successfully";
  const auto links_lost = [&](const std::string& why) {
    return ini_file + ": 1 closed road and 1 temporary speed were not carried over: " + why +
           " The old file is kept as " + ini_file + ".bak.";
  };
  const auto layer_changed = links_lost("the road layer changed since the network was built.");
  const auto merged = [] {
    auto paths = links(3);
    paths[0] = {{500000, 6400000}, {500100, 6400000}, {500200, 6400000}};
    paths[1] = {{500200, 6400000}, {500300, 6400000}};
    paths.pop_back();
    return paths;
  }();
  const struct {
    const char* name;
    std::function<void()> change;
    bool links_carried, info_carried;
    std::string speeds_backup_note; // empty: "link.spd" carried whole
    std::vector<std::string> messages;
  } cases[] = {
      {"moved folder",
       [&] {
         settings::write(ini_file, settings::Info, settings::ShapeFile, "C:\\old\\roads.shp");
       },
       true,
       true,
       "",
       {built}},
      {"moved folder, with a zone that is no limit",
       [&] {
         settings::write(ini_file, settings::Info, settings::ShapeFile, "C:\\old\\roads.shp");
         settings::write(ini_file, settings::Isochrone, settings::zone_key(3), "nan");
       },
       true,
       true,
       "",
       {built, ini_file +
                   ": [ISOCHRONE] \"Zone  3\" gives \"nan\", which is no zone limit; the "
                   "zone is left out.\n" +
                   ini_file +
                   ": what could not be read of it, named above, is not carried over. "
                   "The old file is kept as " +
                   ini_file + ".bak."}},
      {"one feature fewer",
       [&] {
         replace_roads(links(3), {1, 2, 3});
       },
       false,
       true,
       "",
       {built, layer_changed}},
      {"one feature more",
       [&] {
         replace_roads(links(5), {1, 2, 3, 2, 5});
       },
       false,
       true,
       "",
       {built, layer_changed}},
      {"the same links saved again",
       [&] { set_modified("roads.shp", "Corvane.ini", std::chrono::minutes(5)); },
       true,
       true,
       "",
       {built}},
      {"a record count that is no count",
       [&] { settings::write(ini_file, settings::Info, settings::RecordNo, " 1e308"); },
       true,
       true,
       "",
       {built, ini_file + ": [INFO] \"RECORD NO\" gives \"1e308\", which is no count; the "
                          "network is built again."}},
      {"moved folder, its build cut short before it replaced a network file",
       [&] {
         settings::write(ini_file, settings::Info, settings::ShapeFile, "C:\\old\\roads.shp");
         ASSERT_TRUE(PutBuildMark(path()));
       },
       true,
       true,
       "",
       {built}},
      {"an interrupted build",
       [&] {
         ASSERT_TRUE(PutBuildMark(path()));
         write_bytes(path("dist.bin"), "a new network file");
       },
       false,
       true,
       "",
       {built, "The last build of the network in " + path() +
                   " did not finish: its files and settings may not belong together, so the "
                   "network is built again.\n" +
                   links_lost("a build of the network did not finish, so the links they name "
                              "cannot be checked.")}},
      {"a settings file without [INFO]",
       [&] { write_bytes(ini_file, without_info(read_bytes(ini_file))); },
       true,
       false,
       "",
       {built, ini_file + " could not be read: it has no [INFO] section. The network is built "
                          "again, and its closed roads, temporary speeds, zones and route colour "
                          "are carried over."}},
      {"network files gone",
       [&] {
         fs::remove(path("link.bin"));
         fs::remove(path("coord.bin"));
       },
       false,
       true,
       "",
       {built, links_lost("there were no network files to check the links they name against (" +
                          path("coord.bin") + " was missing).")}},
      {"after the pseudo-node repair",
       [&] {
         replace_roads(merged, {1, 3});
         fs::remove(path("node.bin"));
       },
       false,
       true,
       speed_file + ": the speeds of 1 road class were not carried over: their class values no "
                    "longer occur in the field \"CLASS\".",
       {built, speed_file +
                   ": the speeds of 1 road class were not carried over: their class values no "
                   "longer occur in the field \"CLASS\". The old file is kept as " +
                   speed_file + ".bak.\n" + layer_changed}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    network_of(links(4), {1, 2, 3, 2});
    ASSERT_TRUE(settings::write_road_class_speed(speed_file, 1, 55.92348f));
    ASSERT_TRUE(settings::write_road_class_alias(speed_file, 1, "Main road"));
    const auto old_speeds = read_bytes(speed_file);
    c.change();
    const auto hostile_ini = read_bytes(ini_file);
    state().gNetworkState = NetworkClosed;
    state().gTspMode = TspMode{.kind = TourKind::StartEnd};
    take_messages();
    open();
    EXPECT_EQ(take_messages(), c.messages);

    const auto& s = state();
    EXPECT_EQ(s.gNetworkState, NetworkLoaded);
    EXPECT_EQ(s.gClosedLinkCount, c.links_carried ? 1 : 0);
    EXPECT_EQ(s.gTempSpeedCount, c.links_carried ? 1 : 0);
    EXPECT_EQ(ini_value(settings::ClosedRoads, settings::Total), c.links_carried ? "1" : "0");
    EXPECT_EQ(s.gZoneValues[2], 4);
    EXPECT_EQ(s.gRouteColorGreen, 20);
    EXPECT_EQ(s.gTspMode,
              (c.info_carried ? TspMode{.kind = TourKind::StartOnly, .straight_line = true}
                              : TspMode{.kind = TourKind::RoundTrip}));
    EXPECT_EQ(ini_value(settings::Info, settings::RouteType),
              c.info_carried ? "Fastest" : "Shortest");
    EXPECT_EQ(ini_value(settings::Info, settings::OcxDistUnits),
              c.info_carried ? "Miles" : "Kilometers");
    EXPECT_EQ(ini_value(settings::Info, settings::DescFieldName),
              c.info_carried ? "CLASS" : settings::Missing);
    EXPECT_EQ(s.gRoadClassSpeeds[0].ClassValue, 1);
    EXPECT_NEAR(s.gRoadClassSpeeds[0].SpeedKmph, 90, 1e-3) << "class speeds survive";
    EXPECT_EQ(s.gRoadClassSpeeds[0].Alias, "Main road");
    const bool ini_kept = std::ranges::any_of(c.messages, [&](const std::string& text) {
      return text.find("kept as " + ini_file + ".bak") != std::string::npos;
    });
    EXPECT_EQ(fs::exists(ini_file + ".bak"), ini_kept);
    if (ini_kept) {
      EXPECT_EQ(read_bytes(ini_file + ".bak"), hostile_ini);
    }
    EXPECT_EQ(fs::exists(speed_file + ".bak"), !c.speeds_backup_note.empty());
    if (!c.speeds_backup_note.empty()) {
      EXPECT_EQ(read_bytes(speed_file + ".bak"), old_speeds);
    }
    EXPECT_FALSE(BuildMarkPresent(path()));
  }
}

// What a build had to say and a kill kept from being shown is shown by the next opening, once:
// its recorded lines, and a copy of old settings it made and did not name, which no later build
// keeps since it differs from the file as it is now.
TEST_F(HostileSettings, WhatAKilledBuildDidNotShowIsShownByTheNextOpeningOnce) {
  const auto copy = ini() + ".bak";
  const std::string note = ini() + ": 1 closed road was not carried over. The old file is kept as " +
                           copy + ".";
  const std::string unnamed_copy =
      ini() + ": a build of the network that did not finish kept its earlier settings as " + copy +
      ".";
  for (const bool named : {true, false}) {
    SCOPED_TRACE(named ? "a recorded line" : "a copy left unnamed");
    fs::remove(copy);
    if (!named)
      write_bytes(copy, read_bytes(ini()) + "[CLOSED ROADS]\nTotal=0\n");
    ASSERT_TRUE(PutBuildMark(path()));
    ASSERT_TRUE(named ? RecordUnshownNotes(path(), {note}, EarlierCopies{.named = {copy}, .unnamed = {}})
                      : RecordUnshownNotes(path(), {}, EarlierCopies{.named = {}, .unnamed = {copy}}));
    MarkSettingsWritten(path());
    for (const bool first : {true, false}) {
      SCOPED_TRACE(first ? "first opening" : "second opening");
      state().gNetworkState = NetworkClosed;
      take_messages();
      open();
      std::vector<std::string> expected{"Network loaded successfully"};
      if (first)
        expected.push_back(named ? note : unnamed_copy);
      EXPECT_EQ(take_messages(), expected);
      EXPECT_FALSE(BuildMarkPresent(path()));
      EXPECT_EQ(state().gClosedLinkCount, 1) << "the settings written are loaded";
    }
  }
  {
    SCOPED_TRACE("a copy left unnamed, the mark kept by failed rebuilds");
    ASSERT_TRUE(PutBuildMark(path()));
    write_bytes(path("dist.bin"), "a new network file");
    ASSERT_TRUE(RecordUnshownNotes(path(), {}, EarlierCopies{.named = {}, .unnamed = {copy}}));
    engine_->create_result = -40;
    int said = 0;
    for (int opening = 0; opening < 2; ++opening) {
      state().gNetworkState = NetworkClosed;
      take_messages();
      open();
      for (const auto& text : take_messages())
        said += text.find(unnamed_copy) != std::string::npos;
      ASSERT_TRUE(BuildMarkPresent(path()));
    }
    EXPECT_EQ(said, 1);
    engine_->create_result = 0;
  }
}

// A build that fails before the engine has replaced a network file (a full disk at its first
// write) leaves the old files and settings together: the next opening compares the links as
// if that build had never been, and keeps the closures; nothing is said of a build that did not
// finish.
TEST_F(HostileSettings, ABuildThatReplacedNothingLeavesTheNextOpeningToCompare) {
  settings::write(ini(), settings::Info, settings::ShapeFile, "C:\\old\\roads.shp");
  for (const auto failing : {-32, -40, -41}) {
    SCOPED_TRACE(failing);
    engine_->create_result = failing;
    state().gNetworkState = NetworkClosed;
    take_messages();
    open();
    const auto messages = take_messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].starts_with("Network could not be created: Error = ")) << messages[0];
    EXPECT_NE(state().gNetworkState, NetworkLoaded);
  }
  engine_->create_result = 0;
  state().gNetworkState = NetworkClosed;
  open();
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Network created successfully"});
  EXPECT_EQ(state().gClosedLinkCount, 1);
  EXPECT_EQ(state().gTempSpeedCount, 1);
  EXPECT_FALSE(BuildMarkPresent(path()));
  EXPECT_FALSE(fs::exists(ini() + ".bak"));
}

// What a killed build left to say is said once: an opening that shows it and then ends without
// a finished build does not leave it to be shown again; and two kills in a row, the first after
// its copy of the old settings was made and before it was named, the second before the next
// build made one, leave one copy, which the message names.
TEST_F(HostileSettings, EachLossIsNamedOnceAndEveryCopyIsNamed) {
  const auto report = path("steps.txt");
  const auto rebuild = [&] {
    state().gNetworkState = NetworkClosed;
    open();
  };
  const auto step_of = [&](const testing::ReachedSteps& steps, files::testing::Step step,
                           const std::string& file) {
    for (std::size_t at = 0; at < steps.size(); ++at)
      if (steps[at].first == step && steps[at].second == file)
        return static_cast<int>(at);
    ADD_FAILURE() << "no such step of " << file;
    return -1;
  };
  const auto lost = ini() +
                    ": 1 closed road and 1 temporary speed were not carried over: the road "
                    "layer changed since the network was built. The old file is kept as " +
                    ini() + ".bak.";
  const auto copies = [&] {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(path()))
      count += entry.path().filename().string().starts_with("Corvane.ini.") &&
               entry.path().extension() == ".bak";
    return count;
  };
  {
    SCOPED_TRACE("a failed build after the note was shown");
    network_of(links(4), {1, 2, 3, 2});
    replace_roads(links(3), {1, 2, 3});
    keep_folder();
    const auto steps = testing::RunKilledAtStep(report, rebuild, -1);
    restore_folder();
    testing::RunKilledAtStep(report, rebuild,
                             step_of(steps, files::testing::Step::create_temporary, "link.spd"));
    engine_->create_result = -40;
    take_messages();
    rebuild();
    const auto messages = take_messages();
    ASSERT_EQ(messages.size(), 2u) << ::testing::PrintToString(messages);
    EXPECT_EQ(messages[1], lost);
    engine_->create_result = 0;
    rebuild();
    EXPECT_EQ(take_messages(), std::vector<std::string>{"Network created successfully"});
    EXPECT_EQ(copies(), 1);
    fs::remove_all(kept());
  }
  {
    SCOPED_TRACE("two kills in a row");
    for (const auto* name : {"Corvane.ini.bak", "Corvane.ini.building"})
      fs::remove(path(name));
    network_of(links(4), {1, 2, 3, 2});
    replace_roads(links(3), {1, 2, 3});
    keep_folder();
    const auto steps = testing::RunKilledAtStep(report, rebuild, -1);
    restore_folder();
    // After the copy, before the mark names it; then after the next mark, before its copy.
    testing::RunKilledAtStep(report, rebuild,
                             step_of(steps, files::testing::Step::rename, "Corvane.ini.bak") + 1);
    ASSERT_EQ(copies(), 1);
    testing::RunKilledAtStep(
        report, rebuild, step_of(steps, files::testing::Step::rename, "Corvane.ini.building") + 1);
    take_messages();
    rebuild();
    const auto messages = take_messages();
    ASSERT_EQ(messages.size(), 2u) << ::testing::PrintToString(messages);
    EXPECT_TRUE(messages[1].ends_with("were not carried over: a build of the network did not "
                                      "finish, so the links they name cannot be checked. The old "
                                      "file is kept as " +
                                      ini() + ".bak."))
        << messages[1];
    EXPECT_EQ(copies(), 1);
  }
}

// A rebuild over changed links killed before any step of its file replacements: whatever the
// kill left, the closure and the temporary speed are in "Corvane.ini" or in a copy that a
// message names, at the latest at the next opening, and no half copy stands under a ".bak" name.
TEST_F(HostileSettings, ARebuildKilledAnywhereLosesNoSettingWithoutNamingWhere) {
  network_of(links(4), {1, 2, 3, 2});
  replace_roads(links(3), {1, 2, 3});
  keep_folder();
  const auto rebuild = [&] {
    state().gNetworkState = NetworkClosed;
    open();
  };
  const auto report = path("steps.txt");
  const auto steps = testing::RunKilledAtStep(report, rebuild, -1);
  ASSERT_GE(steps.size(), 10u);
  for (int kill_at = 0; kill_at < static_cast<int>(steps.size()); ++kill_at) {
    SCOPED_TRACE("killed before step " + std::to_string(kill_at) + " of " + steps[kill_at].second);
    restore_folder();
    testing::RunKilledAtStep(report, rebuild, kill_at);
    take_messages();
    rebuild();
    const auto messages = take_messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), "Network created successfully") << "::" << messages.back();
    EXPECT_EQ(state().gNetworkState, NetworkLoaded);
    // The message that names the copy, and the copy holds the closure.
    std::string copy;
    for (const auto& text : messages)
      if (const auto at = text.find("The old file is kept as "); at != std::string::npos)
        copy = text.substr(at + 24, text.find(".bak.", at) + 4 - at - 24);
    ASSERT_FALSE(copy.empty()) << ::testing::PrintToString(messages);
    EXPECT_NE(read_bytes(copy).find(" 1 . Link Number = 3"), std::string::npos) << copy;
    // The build done again keeps the copy the killed one made, not a second of the same file.
    int copies = 0;
    for (const auto& entry : fs::directory_iterator(path())) {
      EXPECT_FALSE(entry.path().string().ends_with(".bak.tmp")) << entry.path();
      copies += entry.path().filename().string().starts_with("Corvane.ini.") &&
                entry.path().extension() == ".bak";
    }
    EXPECT_EQ(copies, 1);
  }
}

// A full disk at each file the rebuild writes, one at a time: "Network created successfully"
// only with the network loaded, and the closure never lost without a message naming its copy.
TEST_F(HostileSettings, AFullDiskAtAnyWriteOfARebuildNeverEndsInAFalseSuccess) {
  network_of(links(4), {1, 2, 3, 2});
  replace_roads(links(3), {1, 2, 3});
  const auto old_ini = read_bytes(ini());
  keep_folder();
  const auto rebuild = [&] {
    state().gNetworkState = NetworkClosed;
    open();
  };
  const auto report = path("steps.txt");
  const auto steps = testing::RunKilledAtStep(report, rebuild, -1);
  for (std::size_t failing = 0; failing < steps.size(); ++failing) {
    if (steps[failing].first != files::testing::Step::create_temporary)
      continue;
    SCOPED_TRACE("no space for " + steps[failing].second);
    restore_folder();
    std::size_t reached = 0;
    files::testing::before_step = [&](files::testing::Step step, const fs::path&) {
      if (!testing::IsCountedStep(step))
        return;
      if (reached++ == failing && step == files::testing::Step::create_temporary) {
        errno = ENOSPC;
        throw files::FileError(steps[failing].second, "no space");
      }
    };
    take_messages();
    rebuild();
    files::testing::before_step = nullptr;
    const auto messages = take_messages();
    const bool success =
        std::ranges::find(messages, "Network created successfully") != messages.end();
    EXPECT_EQ(success, state().gNetworkState == NetworkLoaded)
        << ::testing::PrintToString(messages);
    const auto said = ::testing::PrintToString(messages);
    EXPECT_TRUE(read_bytes(ini()) == old_ini ||
                said.find("The old file is kept as " + ini() + ".bak.") != std::string::npos)
        << said;
    // The reason of the failed call: the settings files' own words, or the host's for the
    // road layer's table.
    if (!success) {
      EXPECT_NE(said.find("no space"), std::string::npos) << said;
    } else {
      // A finished build is opened as one, whatever of its mark could not be written.
      state().gNetworkState = NetworkClosed;
      take_messages();
      open();
      const auto next = take_messages();
      ASSERT_FALSE(next.empty());
      EXPECT_EQ(next.front(), "Network loaded successfully") << ::testing::PrintToString(next);
    }
  }
}

// Each file may grow to a few bytes only, too few for the build mark: the build is refused with
// the reason and leaves no mark, so that the next opening, with space back, does not take it for
// a build cut short.
TEST_F(HostileSettings, ABuildMarkThatCannotBeWrittenLeavesNoMark) {
  network_of(links(4), {1, 2, 3, 2});
  // A count that does not match builds again, and the layer has its result field already: the
  // mark is the rebuild's first write.
  ASSERT_TRUE(settings::write(ini(), settings::Info, settings::RecordNo, " 5"));
  const auto mark = ini() + ".building";
  for (const rlim_t room : {0, 8, 16}) {
    SCOPED_TRACE("room for " + std::to_string(room) + " bytes a file");
    const pid_t child = fork();
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{.rlim_cur = room, .rlim_max = room};
      setrlimit(RLIMIT_FSIZE, &limit);
      state().gNetworkState = NetworkClosed;
      take_messages();
      open();
      const auto messages = take_messages();
      const bool refused =
          messages.size() == 1 &&
          messages[0].starts_with("The network cannot be built: " + mark + " cannot be written");
      if (!refused)
        std::fprintf(stderr, "shown: %s\n", ::testing::PrintToString(messages).c_str());
      std::fflush(stderr);
      _exit(refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(fs::exists(mark));
    EXPECT_FALSE(fs::exists(mark + ".tmp"));
  }
  state().gNetworkState = NetworkClosed;
  take_messages();
  open();
  const auto messages = take_messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front(), "Network created successfully");
  for (const auto& text : messages)
    EXPECT_EQ(text.find("did not finish"), std::string::npos) << text;
}

// A "Corvane.ini.links-kept" an earlier build left that cannot be removed says nothing of the
// files a new build makes (they are younger): the build goes on and carries the closures.
TEST_F(HostileSettings, AStaleLinksKeptFileThatCannotBeRemovedStopsNoBuild) {
  network_of(links(4), {1, 2, 3, 2});
  ASSERT_TRUE(settings::write(ini(), settings::Info, settings::RecordNo, " 5"));
  const auto stale = ini() + ".links-kept";
  fs::create_directory(stale);
  write_bytes(stale + "/in the way", "");
  state().gNetworkState = NetworkClosed;
  take_messages();
  open();
  const auto messages = take_messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front(), "Network created successfully")
      << ::testing::PrintToString(messages);
  EXPECT_EQ(state().gClosedLinkCount, 1);
  EXPECT_EQ(state().gTempSpeedCount, 1);
  fs::remove_all(stale);
}

// The temporary of a copy that a kill left is the system's own: the next opening removes it,
// and nothing else under a name like it.
TEST_F(HostileSettings, TheTemporaryOfACopyAKillLeftIsRemovedAndNothingElse) {
  network_of(links(4), {1, 2, 3, 2});
  const std::vector<std::string> stale{"Corvane.ini.bak.tmp", "Corvane.ini.7.bak.tmp",
                                       "link.spd.12.bak.tmp"};
  const std::vector<std::string> others{"Corvane.ini.07.bak.tmp", "Corvane.ini.x.bak.tmp",
                                        "Corvane.ini.7.bak.tmp2", "Other.ini.bak.tmp"};
  for (const auto& name : stale)
    write_bytes(path(name), "half a copy");
  for (const auto& name : others)
    write_bytes(path(name), "the user's own");
  fs::create_directory(path("Corvane.ini.8.bak.tmp"));
  state().gNetworkState = NetworkClosed;
  open();
  for (const auto& name : stale)
    EXPECT_FALSE(fs::exists(path(name))) << name;
  for (const auto& name : others)
    EXPECT_EQ(read_bytes(path(name)), "the user's own") << name;
  EXPECT_TRUE(fs::is_directory(path("Corvane.ini.8.bak.tmp")));
}

// Every rebuild that loses settings keeps the old file under a name nothing holds yet: no copy
// kept before, nor a file of the user's, a folder or a symbolic link under a ".bak" name, is
// ever replaced or written through, and the message names the copy.
TEST_F(HostileSettings, EachCopyOfOldSettingsTakesAFreeNameAndNoneIsEverReplaced) {
  network_of(links(4), {1, 2, 3, 2});
  const auto outside = path("outside.txt");
  write_bytes(outside, "not the system's");
  fs::create_directory(path("Corvane.ini.1.bak"));
  write_bytes(path("Corvane.ini.2.bak"), "the user's own");
  fs::permissions(path("Corvane.ini.2.bak"), fs::perms::owner_read);
  fs::create_symlink(outside, path("Corvane.ini.3.bak"));
  std::vector<std::pair<std::string, std::string>> kept; // each copy and the bytes it must hold
  for (const auto* copy : {"Corvane.ini.bak", "Corvane.ini.4.bak", "Corvane.ini.5.bak"}) {
    SCOPED_TRACE(copy);
    const auto old_ini = read_bytes(ini());
    if (kept.size() % 2 == 0)
      replace_roads(links(3), {1, 2, 3});
    else
      replace_roads(links(4), {1, 2, 3, 2});
    state().gNetworkState = NetworkClosed;
    take_messages();
    open();
    EXPECT_EQ(take_messages(),
              (std::vector<std::string>{
                  "Network created successfully",
                  ini() +
                      ": 1 closed road and 1 temporary speed were not carried over: the road "
                      "layer changed since the network was built. The old file is kept as " +
                      path(copy) + "."}));
    kept.emplace_back(path(copy), old_ini);
    for (const auto& [file, bytes] : kept)
      EXPECT_EQ(read_bytes(file), bytes) << file;
    EXPECT_EQ(read_bytes(path("Corvane.ini.2.bak")), "the user's own");
    EXPECT_EQ(read_bytes(outside), "not the system's");
    EXPECT_TRUE(fs::is_symlink(path("Corvane.ini.3.bak")));
    EXPECT_EQ(state().gNetworkState, NetworkLoaded);
    change_every_setting();
  }
}

// A write of the rebuild that fails (a full disk, a read-only file) ends it with one box that
// gives the reason of the failed call; it never says the network was created, leaves the file
// as it was and says nothing of settings the file still holds; the next opening builds again.
TEST_F(HostileSettings, ARebuildThatCannotWriteSaysWhyAndNeverThatItSucceeded) {
  const struct {
    const char* name;
    std::string failing; // the file whose write fails
    bool read_only;      // by its permissions, else as a full disk
    std::string box;     // the one message
  } cases[] = {
      {"full disk at the copy of Corvane.ini", "Corvane.ini.bak", false,
       "Corvane.ini: 1 closed road and 1 temporary speed were not carried over: the road layer "
       "changed since the network was built. The old file cannot be kept as Corvane.ini.bak "
       "(there is no space left on the device), so it is not replaced. The network is built "
       "again when it is next opened."},
      {"full disk at link.spd", "link.spd", false,
       "link.spd could not be written: there is no space left on the device. The network is not "
       "loaded; it is built again when it is next opened."},
      {"full disk at Corvane.ini", "Corvane.ini", false,
       "Corvane.ini could not be written: there is no space left on the device. The network is "
       "not loaded; it is built again when it is next opened."},
      {"read-only Corvane.ini", "Corvane.ini", true,
       "Corvane.ini could not be written: it is read-only. The network is not loaded; it is "
       "built again when it is next opened."},
      {"read-only link.spd", "link.spd", true,
       "link.spd could not be written: it is read-only. The network is not loaded; it is built "
       "again when it is next opened."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    network_of(links(4), {1, 2, 3, 2});
    replace_roads(links(3), {1, 2, 3});
    const auto failing = path(c.failing);
    if (c.read_only)
      fs::permissions(failing, fs::perms::owner_read);
    else
      files::testing::before_step = [&](files::testing::Step step, const fs::path& target) {
        if (step == files::testing::Step::create_temporary && target == failing) {
          errno = ENOSPC;
          throw files::FileError(target, "no space");
        }
      };
    state().gNetworkState = NetworkClosed;
    take_messages();
    open();
    files::testing::before_step = nullptr;
    if (c.read_only)
      fs::permissions(failing, fs::perms::owner_read | fs::perms::owner_write);
    auto expected = replaced(c.box, "Corvane.ini", ini());
    expected = replaced(expected, "link.spd", path("link.spd"));
    EXPECT_EQ(take_messages(), std::vector<std::string>{expected});
    EXPECT_EQ(read_bytes(ini()), clean_ini_);
    EXPECT_NE(state().gNetworkState, NetworkLoaded);
    EXPECT_TRUE(BuildMarkPresent(path()));
  }
}

} // namespace
} // namespace corvane
