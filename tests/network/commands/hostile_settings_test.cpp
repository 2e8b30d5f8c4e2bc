#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network_fixture.h"

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
    settings::Changes changes;
    settings::replace_closed_links(changes, {3});
    settings::replace_temp_speeds(changes, {{2, 50, 31.0686}});
    settings::replace_zones(changes, {2, 4, 8});
    settings::set_colour(changes, 10, 20, 30);
    settings::set(changes, settings::Info, settings::RouteType, settings::Fastest);
    settings::set_tsp_mode(changes, 12);
    ASSERT_TRUE(settings::commit(ini(), changes));
    clean_ini_ = read_bytes(ini());
    clean_speeds_ = read_bytes(path("link.spd"));
  }

  SharedState& state() { return shared_state(); }

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
           ". The network is built again; nothing in it could be carried over, and the old file "
           "is kept as " +
           file + ".bak.";
  };
  enum class Kept { everything, all_but_info, nothing };
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
       {unreadable(ini_file, "it is empty"), built},
       Kept::nothing,
       ini_file},
      {"no [INFO]",
       without_info,
       same,
       {ini_file + " could not be read: it has no [INFO] section. The network is built again, "
                   "and its closed roads, temporary speeds, zones and route colour are carried "
                   "over.",
        built},
       Kept::all_but_info,
       ""},
      {"zone beyond single precision",
       [](const std::string& t) { return replaced(t, "Zone  3= 8", "Zone  3= 1e308"); },
       same,
       {ini_file + ": [ISOCHRONE] \"Zone  3\" is beyond what a zone limit can hold; the zone is "
                   "left out.",
        loaded},
       Kept::everything,
       ""},
      {"class speed beyond single precision, under an older writer's key",
       same,
       [](const std::string& t) {
         return replaced(t, "Speed  1 (mph)= 1", "Speed 1 (mph)= 1e308");
       },
       {speed_file + ": [SPEED VALUES] \"Speed 1 (mph)\" is beyond what the field can hold; the "
                     "class gets 1 mph, the speed of a new class.",
        loaded},
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
       {unreadable(ini_file, "it is no text of single-byte characters"), built},
       Kept::nothing,
       ini_file},
      {"link.spd empty",
       same,
       [](const std::string&) { return std::string(); },
       {unreadable(speed_file, "it is empty"), built},
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
    state().gTspMode = 0;
    take_messages();
    open();
    EXPECT_EQ(take_messages(), c.messages);

    const auto& s = state();
    EXPECT_EQ(s.gNetworkState, NetworkLoaded);
    const bool kept = c.kept != Kept::nothing;
    EXPECT_EQ(s.gClosedLinkCount, kept ? 1 : 0);
    EXPECT_EQ(s.gTempSpeedCount, kept ? 1 : 0);
    if (kept) {
      EXPECT_EQ(s.gClosedLinks[1], 3);
      EXPECT_EQ(s.gTempSpeeds[1].SpeedKmph, 50);
    }
    EXPECT_EQ(s.gZoneValues[2], kept ? 4 : 10);
    EXPECT_EQ(s.gRouteColorGreen, kept ? 20 : 0);
    EXPECT_EQ(s.gTspMode, c.kept == Kept::everything ? 12 : 1);
    EXPECT_EQ(ini_value(settings::Info, settings::RouteType),
              c.kept == Kept::everything ? "Fastest" : "Shortest");
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

} // namespace
} // namespace corvane
