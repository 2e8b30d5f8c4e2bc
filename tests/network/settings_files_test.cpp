#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "common/unwritten_settings.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "support/full_disk.h"
#include "support/test_folder.h"
#include "win/profile.h"

namespace corvane {
namespace {

using namespace settings;

class SettingsFiles : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = testing::fresh_test_folder("settings");
    ini_ = NetworkIniFile(folder_.string());
    spd_ = SpeedClassFile(folder_.string());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // The file as it lies on disk, with its CR LF line ends.
  std::string text_of(const std::string& file) const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void write_raw(const std::string& file, const std::string& text) const {
    std::ofstream(file, std::ios::binary) << text;
  }

  std::filesystem::path folder_;
  std::string ini_, spd_;
};

TEST_F(SettingsFiles, FilesLieInTheNetworkFolder) {
  EXPECT_EQ(ini_, (folder_ / "Corvane.ini").string());
  EXPECT_EQ(spd_, (folder_ / "link.spd").string());
  EXPECT_EQ(AttributeTextFile(folder_.string()), (folder_ / "Attrib.txt").string());
}

TEST_F(SettingsFiles, KeysCarryNumbersWithTheirSignBlank) {
  const struct {
    std::string built, expected;
  } cases[] = {
      {zone_key(1), "Zone  1"},
      {zone_key(12), "Zone  12"},
      {link_row_key(1), " 1 . Link Number "},
      {temp_speed_mph_key(3), "Link Number 3 (mph)"},
      {temp_speed_kmph_key(3), "Link Number 3 (kmph)"},
      {category_key(2), "Category  2"},
      {class_speed_key(7), "Speed  7 (mph)"},
      {class_alias_key(0), "Speed  0 (alias)"},
      {default_class_alias(7), "Speed 7"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.built, c.expected);
}

TEST_F(SettingsFiles, ListsWrittenAreReadBack) {
  ASSERT_TRUE(write(ini_, ClosedRoads, "Total ", " 2"));
  ASSERT_TRUE(write_closed_link(ini_, 1, 17));
  ASSERT_TRUE(write_closed_link(ini_, 2, 1235));
  ASSERT_TRUE(write(ini_, TemporarySpeeds, "Total ", " 1"));
  ASSERT_TRUE(write_temp_speed(ini_, 1, {1235, 48.2802572372106, 30}));
  ASSERT_TRUE(write_zones(ini_, {5, 10, 15.5f}));
  ASSERT_TRUE(write(spd_, SpeedValues, TotalCategories, " 2"));
  ASSERT_TRUE(write(spd_, SpeedValues, category_key(1), " 0"));
  ASSERT_TRUE(write(spd_, SpeedValues, category_key(2), " 7"));
  ASSERT_TRUE(write_road_class_speed(spd_, 7, 62.1372f));
  ASSERT_TRUE(write_road_class_alias(spd_, 7, "Motorway"));
  ASSERT_TRUE(write_road_class_speed(spd_, 0, 1));
  ASSERT_TRUE(write_road_class_alias(spd_, 0, default_class_alias(0)));

  // "Total " is found as "Total".
  EXPECT_EQ(read_number(ini_, ClosedRoads, Total), 2);
  EXPECT_EQ(read_number(ini_, TemporarySpeeds, Total), 1);
  EXPECT_EQ(read_number(ini_, Isochrone, TotalZones), 3);
  EXPECT_EQ(read_number(ini_, Isochrone, zone_key(3)), 15.5);
  EXPECT_EQ(read_number(spd_, SpeedValues, TotalCategories), 2);

  const auto ini = text_of(ini_);
  EXPECT_NE(ini.find("\r\n 1 . Link Number = 17\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("\r\nLink Number 1 (kmph)= 48.2802572372106\r\n"), std::string::npos) << ini;
  EXPECT_NE(
      ini.find("[ISOCHRONE]\r\nZone  1= 5\r\nZone  2= 10\r\nZone  3= 15.5\r\nTotal Zones= 3\r\n"),
      std::string::npos)
      << ini;
  EXPECT_NE(text_of(spd_).find("\r\nSpeed  7 (mph)= 62.1372\r\n"), std::string::npos);
}

TEST_F(SettingsFiles, ListsAreWrittenAnewWhereTheyStand) {
  write_raw(ini_, "[CLOSED ROADS]\r\nTotal = 3\r\n 1 . Link Number = 4\r\n"
                  " 2 . Link Number = 5\r\n 3 . Link Number = 6\r\n"
                  "[TEMPORARY SPEEDS]\r\nTotal = 0\r\n[INFO]\r\nEDITED=x\r\n");
  Changes changes;
  replace_closed_links(changes, {5, 6});
  replace_temp_speeds(changes, {{2, 50, 31.0686}});
  ASSERT_TRUE(commit(ini_, changes));
  EXPECT_EQ(text_of(ini_), "[CLOSED ROADS]\r\nTotal= 2\r\n 1 . Link Number = 5\r\n"
                           " 2 . Link Number = 6\r\n"
                           "[TEMPORARY SPEEDS]\r\nTotal= 1\r\n 1 . Link Number = 2\r\n"
                           "Link Number 1 (mph)= 31.0686\r\nLink Number 1 (kmph)= 50\r\n"
                           "[INFO]\r\nEDITED=x\r\n");
}

TEST_F(SettingsFiles, WritingTheZonesReplacesTheWholeSection) {
  ASSERT_TRUE(write_zones(ini_, {5, 10, 15, 20}));
  ASSERT_TRUE(write_zones(ini_, {3}));
  EXPECT_EQ(read_number(ini_, Isochrone, TotalZones), 1);
  EXPECT_EQ(read(ini_, Isochrone, zone_key(2)), Missing);
}

TEST_F(SettingsFiles, LongPathsAreComparedWhole) {
  // A path longer than a usual read gives back comes back whole where it is compared.
  const std::string path = "C:\\" + std::string(300, 'd') + "\\roads.shp";
  ASSERT_TRUE(write(ini_, Info, ShapeFile, path));
  EXPECT_EQ(read(ini_, Info, ShapeFile), path.substr(0, 254));
  EXPECT_EQ(read_unbounded(ini_, Info, ShapeFile), path);
}

TEST_F(SettingsFiles, ZoneKeysWithOneBlankAreNotZones) {
  write_raw(ini_, "[ISOCHRONE]\r\nTotal Zones= 1\r\nZone 1= 5\r\n");
  EXPECT_EQ(read_number(ini_, Isochrone, TotalZones), 1);
  EXPECT_EQ(read_number(ini_, Isochrone, zone_key(1)), 0);
}

TEST_F(SettingsFiles, MissingKeysAndLongValues) {
  EXPECT_EQ(read(ini_, ClosedRoads, Total), Missing); // no file
  EXPECT_EQ(read_number(ini_, ClosedRoads, Total), 0);
  const std::string long_name(300, 'x');
  ASSERT_TRUE(write(ini_, Info, ShapeFile, long_name));
  EXPECT_EQ(read(ini_, Info, ShapeFile), long_name.substr(0, 254));
  EXPECT_EQ(read_number(ini_, ClosedRoads, Total), 0); // section missing from the file
}

TEST_F(SettingsFiles, InfoValuesAsTheNetworkOpeningTakesThem) {
  const struct {
    const char* stored;
    std::optional<std::string> units;
  } units[] = {{"Kilometers", "Kilometers"}, {"Kilometersxyz", "Kilometers"}, {"Miles", "Miles"},
               {"kilometers", std::nullopt}, {"Meters", std::nullopt},        {"", std::nullopt}};
  for (const auto& c : units) {
    ASSERT_TRUE(write(ini_, Info, OcxDistUnits, c.stored));
    EXPECT_EQ(read_distance_units(ini_), c.units) << c.stored;
  }

  ASSERT_TRUE(write_tsp_mode(ini_, {.kind = TourKind::StartOnly, .straight_line = true}));
  EXPECT_EQ(read(ini_, Info, settings::TspMode), "2");
  EXPECT_EQ(read(ini_, Info, TspStraightLine), "Yes");
}

TEST_F(SettingsFiles, ColourComponentsAreWrittenPlain) {
  ASSERT_TRUE(write_colour(ini_, 255, 0, 7));
  EXPECT_NE(text_of(ini_).find("[Color]\r\nRED=255\r\nGREEN=0\r\nBLUE=7\r\n"), std::string::npos);
}

// A save on a disk full from any of its writes on: the file stays as it was, no temporary is
// left, and the box names the file and the full disk; with space back the save is whole.
TEST_F(SettingsFiles, ASaveOnAFullDiskKeepsTheFileAndSaysWhy) {
  Changes closures;
  replace_closed_links(closures, {3, 7});
  ASSERT_TRUE(write(ini_, Info, RouteType, Fastest));
  const auto before = text_of(ini_);
  const long writes = testing::WritesOf([&] {
    ASSERT_TRUE(commit(ini_, closures));
    write_raw(ini_, before);
  });
  ASSERT_GT(writes, 0);
  for (long from = 0; from < writes; ++from) {
    SCOPED_TRACE("full from write " + std::to_string(from));
    bool saved = true;
    int error = 0;
    {
      const testing::FullDiskFrom full(from);
      saved = commit(ini_, closures);
      error = errno;
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(text_of(ini_), before);
    EXPECT_EQ(testing::LeftBehind(folder_), std::vector<std::string>{});
    EXPECT_EQ(UnwrittenSettingsText(ini_, error),
              ini_ + " could not be written: there is no space left on the device.");
    ASSERT_TRUE(commit(ini_, closures));
    EXPECT_NE(text_of(ini_).find("Link Number = 7"), std::string::npos);
    write_raw(ini_, before);
  }
}

TEST_F(SettingsFiles, AttributeTextHoldsTheWholePartOfEachClassValue) {
  const struct {
    double value;
    const char* line;
  } cases[] = {{7, "7"}, {35.9, "35"}, {-6, "-6"}, {-5.7, "-5"}, {-0.3, "0"}, {4096, "4096"}};
  std::vector<std::string> lines;
  for (const auto& c : cases) {
    EXPECT_EQ(attribute_line(c.value), c.line) << c.value;
    lines.push_back(attribute_line(c.value));
  }
  lines.emplace_back(NoClassLine);
  ASSERT_EQ(write_attribute_text(folder_.string(), lines), std::nullopt);
  EXPECT_EQ(text_of(AttributeTextFile(folder_.string())),
            "7\r\n35\r\n-6\r\n-5\r\n0\r\n4096\r\n1\r\n");
  // A text the engine would read short is never left: the failure names the file and why.
  const auto missing = (folder_ / "gone").string();
  const auto failed = write_attribute_text(missing, lines);
  ASSERT_TRUE(failed);
  EXPECT_NE(failed->find(AttributeTextFile(missing)), std::string::npos) << *failed;
  EXPECT_NE(failed->find("No such file or directory"), std::string::npos) << *failed;
  // A disk that fills after the first line: the short text is said to be so, with the reason.
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{.rlim_cur = 3, .rlim_max = 3};
    setrlimit(RLIMIT_FSIZE, &limit);
    const auto short_write = write_attribute_text(folder_.string(), lines);
    _exit(short_write && short_write->find("cannot be written: the file would grow beyond") !=
                             std::string::npos
              ? 0
              : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace
} // namespace corvane
