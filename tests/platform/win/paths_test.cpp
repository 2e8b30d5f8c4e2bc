#include "win/paths.h"

#include <cstdlib>

#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

using Paths = TempFolder;

TEST_F(Paths, NativePathMapsDrivesAndSeparators) {
  const std::string drives = (root_ / "drives").string();
  const struct {
    const char* given;
    std::string native;
  } cases[] = {
      {"C:\\CVErrors.txt", drives + "/C/CVErrors.txt"},
      {"c:/CVErrors.txt", drives + "/C/CVErrors.txt"},
      {"D:\\net\\\\Corvane.ini", drives + "/D/net/Corvane.ini"},
      {"C:", drives + "/C/"},
      {"/data\\net\\roads.shp", "/data/net/roads.shp"},
      {"/data//net/", "/data/net/"},
      {"relative\\file.txt", "relative/file.txt"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(win::native_path(c.given), c.native) << c.given;
}

TEST_F(Paths, JoinPathPutsExactlyOneSeparatorBetween) {
  const struct {
    const char* folder;
    const char* name;
    const char* joined;
  } cases[] = {
      {"/data/net", "Corvane.ini", "/data/net/Corvane.ini"},
      {"/data/net/", "\\Corvane.ini", "/data/net/Corvane.ini"},
      {"/addin", "\\CVhelp\\corvane.chm", "/addin/CVhelp/corvane.chm"},
      {"net\\", "roads.shp", "net/roads.shp"},
      {"", "link.spd", "link.spd"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(win::join_path(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
  EXPECT_EQ(win::join_path("C:\\net", "link.spd"), (root_ / "drives/C/net/link.spd").string());
}

TEST(DriveRoot, FallsBackToTheUsersDataFolder) {
  unsetenv("CORVANE_DRIVE_ROOT");
  setenv("XDG_DATA_HOME", "/xdg", 1);
  setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(win::drive_root(), fs::path("/xdg/corvane/drives"));
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(win::drive_root(), fs::path("/home/someone/.local/share/corvane/drives"));
  setenv("CORVANE_DRIVE_ROOT", "/drives", 1);
  EXPECT_EQ(win::drive_root(), fs::path("/drives"));
  unsetenv("CORVANE_DRIVE_ROOT");
}

TEST_F(Paths, NamesAreFoundWithoutRegardToCaseAndTheExactNameWins) {
  write_bytes("attribute.bin", "");
  write_bytes("Flag1.bmp", "");
  write_bytes("flag1.bmp", "");
  fs::create_directory(root_ / "CVhelp");
  write_bytes("CVhelp/corvane.chm", "");

  EXPECT_EQ(win::find_entry_ignoring_case(root_, "Attribute.bin"), root_ / "attribute.bin");
  EXPECT_EQ(win::find_entry_ignoring_case(root_, "Flag1.bmp"), root_ / "Flag1.bmp");
  EXPECT_EQ(win::find_entry_ignoring_case(root_, "flag1.bmp"), root_ / "flag1.bmp");
  EXPECT_EQ(win::find_entry_ignoring_case(root_, "FLAG1.BMP"), root_ / "Flag1.bmp"); // byte order
  EXPECT_EQ(win::find_entry_ignoring_case(root_, "missing.bin"), std::nullopt);
  EXPECT_EQ(win::find_entry_ignoring_case(root_ / "no-such-folder", "x"), std::nullopt);

  EXPECT_EQ(win::resolve_path(path("ATTRIBUTE.BIN")), root_ / "attribute.bin");
  EXPECT_EQ(win::resolve_path(path("cvhelp\\CORVANE.CHM")), root_ / "CVhelp/corvane.chm");
  // A name to be created keeps its spelling, under the folder as it exists.
  EXPECT_EQ(win::resolve_path(path("cvhelp/New.txt")), root_ / "CVhelp/New.txt");
  EXPECT_EQ(win::resolve_path(path("gone/New.txt")), root_ / "gone/New.txt");
}

} // namespace
