#include "win/profile.h"

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "temp_folder.h"
#include "win/backup_copy.h"

namespace {

namespace fs = std::filesystem;

using Profile = TempFolder;

std::string read_value(std::string_view section, std::string_view key, const std::string& file) {
  return win::read_profile_string(section, key, "Default", file);
}

// The lines joined with `end` after each.
std::string lines(std::initializer_list<std::string_view> list, std::string_view end = "\r\n") {
  std::string text;
  for (auto line : list)
    (text += line) += end;
  return text;
}

// As editors write them: any line end, with or without a UTF-8 byte-order mark, tabs as blanks.
TEST_F(Profile, ReadsAHandWrittenFileAsEditorsWriteIt) {
  const auto fixture = [](std::string_view end) {
    return lines({"; before any section", "[INFO]", "SHAPE FILE=/data/net/roads.shp",
                  "RECORD NO=\t1234", "Total \t= 0", "Zone  1= 5", "EDITED=12/09/25 09.15.02 PM  ",
                  "Quoted=\" a b \"", "Single='x'", "Mismatched=\"x'", "Lone=\"",
                  "Empty=", "NoEquals", "First=1", "first=2", "  [ color ]  ", "RED=255"},
                 end);
  };
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"INFO", "SHAPE FILE", "/data/net/roads.shp"},
      {"info", "record no", "1234"}, // case of section and key ignored
      {"INFO", "Total", "0"},        // the key's outer blanks ignored ...
      {" INFO ", " Total ", "0"},    // ... on both sides
      {"INFO", "Zone  1", "5"},      // inner blanks count
      {"INFO", "Zone 1", "Default"},
      {"INFO", "EDITED", "12/09/25 09.15.02 PM"},
      {"INFO", "Quoted", " a b "}, // one pair of quotes removed, blanks inside kept
      {"INFO", "Single", "x"},
      {"INFO", "Mismatched", "\"x'"},
      {"INFO", "Lone", "\""},
      {"INFO", "Empty", ""},
      {"INFO", "NoEquals", ""},
      {"INFO", "First", "1"}, // the first of two equal keys wins
      {"Color", "RED", "255"},
      {"INFO", "RED", "Default"}, // keys belong to their section
      {"CLOSED ROADS", "Total", "Default"},
  };
  for (const std::string_view end : {"\r\n", "\n", "\r"})
    for (const std::string_view mark : {"", "\xEF\xBB\xBF"}) {
      write_bytes("Corvane.ini", std::string(mark) + fixture(end));
      for (const auto& c : cases)
        EXPECT_EQ(read_value(c.section, c.key, path("Corvane.ini")), c.value)
            << "[" << c.section << "] " << c.key
            << (end == "\r\n" ? " (CRLF)"
                : end == "\n" ? " (LF)"
                              : " (CR)")
            << (mark.empty() ? "" : " with byte-order mark");
    }
  // A mark before a section on the first line: the file is written back without it.
  write_bytes("Corvane.ini", "\xEF\xBB\xBF[INFO]\rA=1\r");
  EXPECT_TRUE(win::write_profile_string("INFO", "B", "2", path("Corvane.ini")));
  EXPECT_EQ(read_bytes("Corvane.ini"), lines({"[INFO]", "A=1", "B=2"}));
  EXPECT_EQ(read_value("INFO", "Total", path("Missing.ini")), "Default");
}

TEST_F(Profile, TheBufferCutsValuesAndDefaults) {
  const std::string long_value(300, 'v');
  write_bytes("link.spd",
              lines({"[SPEED VALUES]", "Long=" + long_value, "Fits=" + std::string(254, 'f')}));
  const std::string file = path("link.spd");
  EXPECT_EQ(read_value("SPEED VALUES", "Long", file), std::string(254, 'v'));
  EXPECT_EQ(read_value("SPEED VALUES", "Fits", file), std::string(254, 'f'));
  EXPECT_EQ(win::read_profile_string("X", "Y", "Default   ", file), "Default"); // trailing blanks
  EXPECT_EQ(win::read_profile_string("X", "Y", "Default", file, 5), "Defa");
  EXPECT_EQ(win::read_profile_string("X", "Y", "Default", file, 0), "");

  char buffer[255];
  EXPECT_EQ(
      win::GetPrivateProfileStringA("speed values", "long", "Default", buffer, 255, file.c_str()),
      254u);
  EXPECT_EQ(std::string(buffer), std::string(254, 'v'));
  EXPECT_EQ(win::GetPrivateProfileStringA("X", "Y", nullptr, buffer, 255, file.c_str()), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(win::GetPrivateProfileStringA("X", "Y", "Default", buffer, 1, file.c_str()), 0u);
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(win::GetPrivateProfileStringA("X", "Y", "Default", buffer, 255, nullptr), 7u);
  EXPECT_EQ(win::GetPrivateProfileStringA(nullptr, nullptr, "Default", buffer, 255, file.c_str()),
            0u);
}

TEST_F(Profile, WritesLinesAsGivenInTheirSectionsWithCrLf) {
  const std::string file = path("Corvane.ini");
  const auto put = [&](const char* section, const char* key, const char* value) {
    EXPECT_TRUE(win::write_profile_string(section, key, value, file)) << key;
  };
  put("INFO", "RECORD NO", " 1234");
  put("INFO", "EDITED", "12/09/25 09.15.02 PM");
  put("CLOSED ROADS", "Total ", " 0");
  put("ISOCHRONE", "Zone  1", " 5");
  put("INFO", "TSP MODE", " 1");      // a new key goes to the end of its section
  put("info", "record no", " 99");    // an existing key is replaced in place, as given
  put("Closed Roads", "Total", " 2"); // found although written "Total "
  put("Color", "RED", "255");         // a new section goes to the end of the file
  EXPECT_EQ(read_value("INFO", "RECORD NO", file), "99");
  EXPECT_EQ(read_value("CLOSED ROADS", "Total ", file), "2");
  EXPECT_EQ(read_value("ISOCHRONE", "Zone  1", file), "5");
  EXPECT_EQ(
      read_bytes("Corvane.ini"),
      lines({"[INFO]", "record no= 99", "EDITED=12/09/25 09.15.02 PM", "TSP MODE= 1",
             "[CLOSED ROADS]", "Total= 2", "[ISOCHRONE]", "Zone  1= 5", "[Color]", "RED=255"}));
}

TEST_F(Profile, AppendsBeforeBlankLinesAndRewritesLfFilesWithCrLf) {
  write_bytes("a.ini", lines({"[A]", "x=1", "", "[B]", "y=2"}, "\n"));
  EXPECT_TRUE(win::write_profile_string("A", "z", "3", path("a.ini")));
  EXPECT_EQ(read_bytes("a.ini"), lines({"[A]", "x=1", "z=3", "", "[B]", "y=2"}));
}

TEST_F(Profile, ANullKeyDeletesTheSectionAndANullValueTheKey) {
  const std::string file = path("Corvane.ini");
  write_bytes("Corvane.ini", lines({"[ISOCHRONE]", "Zone  1= 5", "Total Zones= 1", "[Color]",
                                    "RED=255", "GREEN=0"}));
  EXPECT_TRUE(win::delete_profile_section("isochrone", file));
  EXPECT_EQ(win::WritePrivateProfileStringA("Color", "GREEN", nullptr, file.c_str()), 1);
  EXPECT_EQ(read_bytes("Corvane.ini"), lines({"[Color]", "RED=255"}));
  EXPECT_EQ(read_value("ISOCHRONE", "Total Zones", file), "Default");

  // A null key deletes the section whatever the value; deleting what is not there changes
  // nothing and creates no file.
  EXPECT_TRUE(win::write_profile_string("ISOCHRONE", "Zone  1", " 10", file));
  EXPECT_EQ(win::WritePrivateProfileStringA("ISOCHRONE", nullptr, " 5", file.c_str()), 1);
  EXPECT_TRUE(win::delete_profile_section("ISOCHRONE", file));
  EXPECT_EQ(win::WritePrivateProfileStringA("Color", "BLUE", nullptr, file.c_str()), 1);
  EXPECT_EQ(read_bytes("Corvane.ini"), lines({"[Color]", "RED=255"}));
  EXPECT_TRUE(win::delete_profile_section("CLOSED ROADS", path("Missing.ini")));
  EXPECT_FALSE(fs::exists(path("Missing.ini")));
}

TEST_F(Profile, RefusedWritesLeaveTheFileAsItWas) {
  write_bytes("ro.ini", lines({"[INFO]", "A=1"}));
  fs::permissions(path("ro.ini"), fs::perms::owner_read);
  const struct {
    std::string file;
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {path("ro.ini"), "INFO", "A", "2"},
      {path("no-folder/x.ini"), "INFO", "A", "2"},
      {path("ro.ini"), "INFO", "A", "2\r\n[Color]"},
      {path("ro.ini"), "INFO", "A\nB", "2"},
      {path("ro.ini"), nullptr, "A", "2"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(win::WritePrivateProfileStringA(c.section, c.key, c.value, c.file.c_str()), 0)
        << c.file << " " << c.value;
  EXPECT_EQ(read_bytes("ro.ini"), lines({"[INFO]", "A=1"}));
  EXPECT_FALSE(fs::exists(path("no-folder")));
  EXPECT_EQ(win::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path("x.ini").c_str()), 1);
}

TEST_F(Profile, DrivePathsAndNamesInAnotherCaseReachTheSameFile) {
  fs::create_directories(root_ / "drives/C/Net");
  EXPECT_TRUE(win::write_profile_string("INFO", "ROUTE TYPE", "Shortest", "C:\\Net\\corvane.ini"));
  EXPECT_TRUE(fs::exists(root_ / "drives/C/Net/corvane.ini"));
  EXPECT_EQ(read_value("INFO", "ROUTE TYPE", "c:/net/Corvane.INI"), "Shortest");
  EXPECT_TRUE(win::write_profile_string("INFO", "TSP MODE", " 1", "C:\\NET\\Corvane.ini"));
  EXPECT_EQ(std::distance(fs::directory_iterator(root_ / "drives/C/Net"), fs::directory_iterator()),
            1);
}

// A settings file kept elsewhere behind a link stays there: the write goes to the file the link
// names and the link stays a link; a link to nothing is refused rather than replaced by a file.
TEST_F(Profile, AWriteThroughALinkChangesTheFileItNamesAndKeepsTheLink) {
  fs::create_directories(path("real"));
  write_bytes("real/Corvane.ini", lines({"[INFO]", "A=1"}));
  fs::create_symlink(path("real/Corvane.ini"), path("Corvane.ini"));
  EXPECT_TRUE(win::write_profile_string("INFO", "A", "2", path("Corvane.ini")));
  EXPECT_TRUE(fs::is_symlink(path("Corvane.ini")));
  EXPECT_EQ(read_bytes("real/Corvane.ini"), lines({"[INFO]", "A=2"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(path("real")), fs::directory_iterator()), 1);

  fs::create_symlink(path("real/missing.ini"), path("dangling.ini"));
  EXPECT_FALSE(win::write_profile_string("INFO", "A", "2", path("dangling.ini")));
  EXPECT_TRUE(fs::is_symlink(path("dangling.ini")));
  EXPECT_FALSE(fs::exists(path("real/missing.ini")));
}

// A file written whole in one step holds what the single writes would leave on an empty file,
// drops what the old file held, and keeps the read-only refusal and links of the single writes.
TEST_F(Profile, AFileWrittenWholeHoldsOnlyItsSectionAndIsRefusedLikeASingleWrite) {
  write_bytes("link.spd", lines({"[Speed Values]", "OLD=1", "[Other]", "B=2"}));
  const std::vector<std::pair<std::string, std::string>> entries{
      {"TOTAL CATEGORIES", "2"}, {"CATEGORY 1", "3"}, {"category 1", "4"}};
  EXPECT_TRUE(win::write_profile_file(path("link.spd"), "Speed Values", entries));
  EXPECT_EQ(read_bytes("link.spd"),
            lines({"[Speed Values]", "TOTAL CATEGORIES=2", "category 1=4"}));

  write_bytes("real.spd", lines({"[Speed Values]", "OLD=1"}));
  fs::create_symlink(path("real.spd"), path("linked.spd"));
  EXPECT_TRUE(win::write_profile_file(path("linked.spd"), "Speed Values", entries));
  EXPECT_TRUE(fs::is_symlink(path("linked.spd")));
  EXPECT_EQ(read_bytes("real.spd"), read_bytes("link.spd"));

  fs::permissions(path("link.spd"), fs::perms::owner_read);
  EXPECT_FALSE(win::write_profile_file(path("link.spd"), "Speed Values", {{"A", "1"}}));
  EXPECT_FALSE(win::write_profile_file(path("x.spd"), "Speed Values", {{"A", "1\r\n[B]"}}));
  EXPECT_EQ(read_bytes("link.spd"),
            lines({"[Speed Values]", "TOTAL CATEGORIES=2", "category 1=4"}));
  EXPECT_FALSE(fs::exists(path("x.spd")));
}

// The changes of one user action go to the file in one replacement: whole or not at all.
TEST_F(Profile, ChangesAreAppliedInOrderAndWrittenInOneReplacement) {
  write_bytes("Corvane.ini",
              lines({"[INFO]", "EDITED=old", "[CLOSED ROADS]", "Total= 2", " 1 . Link Number = 5",
                     " 2 . Link Number = 6", "[Color]", "RED=1"}));
  const std::vector<win::ProfileChange> changes{
      {"CLOSED ROADS", std::nullopt, std::nullopt},
      {"CLOSED ROADS", "Total", " 1"},
      {"CLOSED ROADS", " 1 . Link Number ", " 6"},
      {"INFO", "EDITED", "new"},
      {"Color", "RED", std::nullopt},
  };
  EXPECT_TRUE(win::write_profile_file(path("Corvane.ini"), changes));
  EXPECT_EQ(read_bytes("Corvane.ini"), lines({"[INFO]", "EDITED=new", "[Color]", "[CLOSED ROADS]",
                                              "Total= 1", " 1 . Link Number = 6"}));
  // On an empty file the old contents go; a line break anywhere refuses the whole write.
  EXPECT_TRUE(win::write_profile_file(path("Corvane.ini"), {{"INFO", "A", "1"}},
                                      win::ProfileBase::empty_file));
  EXPECT_EQ(read_bytes("Corvane.ini"), lines({"[INFO]", "A=1"}));
  errno = 0;
  EXPECT_FALSE(
      win::write_profile_file(path("Corvane.ini"), {{"INFO", "B", "2"}, {"INFO", "C", "3\n[X]"}}));
  EXPECT_EQ(read_bytes("Corvane.ini"), lines({"[INFO]", "A=1"}));
  // The refusal is the writer's own, and its reason is told as the file's: never "Success" from
  // an errno no call set.
  const std::string refused = "the value to be saved holds a line break";
  EXPECT_NE(errno, 0);
  EXPECT_EQ(win::WriteFailureReason(path("Corvane.ini"), errno).find(refused), 0u);
  EXPECT_EQ(win::ProfileWriteRefusal(path("other.ini")), "");
  EXPECT_TRUE(win::write_profile_file(path("Corvane.ini"), {{"INFO", "B", "2"}}));
  EXPECT_EQ(win::ProfileWriteRefusal(path("Corvane.ini")), "");
  // Deleting what is not there writes nothing, and leaves a missing file missing.
  EXPECT_TRUE(win::write_profile_file(path("none.ini"), {{"INFO", std::nullopt, std::nullopt}}));
  EXPECT_FALSE(fs::exists(path("none.ini")));
}

// The network check compares this time with the shapefile's, so every write must renew it.
TEST_F(Profile, AWriteRenewsTheModificationTimeAndKeepsThePermissions) {
  write_bytes("Corvane.ini", lines({"[INFO]", "EDITED=old"}));
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(path("Corvane.ini"), mode);
  const auto old_time = fs::file_time_type::clock::now() - std::chrono::hours(24);
  fs::last_write_time(path("Corvane.ini"), old_time);
  EXPECT_TRUE(win::write_profile_string("INFO", "EDITED", "new", path("Corvane.ini")));
  EXPECT_GT(fs::last_write_time(path("Corvane.ini")), old_time + std::chrono::hours(23));
  EXPECT_EQ(fs::status(path("Corvane.ini")).permissions(), mode);
}

} // namespace
