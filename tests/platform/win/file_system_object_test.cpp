#include "win/delete_file.h"
#include "win/file_system_object.h"
#include "win/shell.h"

#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

#include "files/file_error.h"
#include "files/replace_file.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono;

using FileSystem = TempFolder;

// Sets the file's modification time to `seconds` since the epoch plus `nanoseconds`.
void set_modified(const std::string& file, long seconds, long nanoseconds) {
  const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
  ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

TEST_F(FileSystem, FileExistsForFilesOnlyAndIgnoresCase) {
  write_bytes("Corvane.ini", "");
  fs::create_directory(root_ / "folder");
  const win::FileSystemObject fso;
  EXPECT_TRUE(fso.FileExists(path("Corvane.ini")));
  EXPECT_TRUE(fso.FileExists(path("CORVANE.INI")));
  EXPECT_FALSE(fso.FileExists(path("folder")));
  EXPECT_FALSE(fso.FileExists(path("link.spd")));
  EXPECT_FALSE(fso.GetFile(path("link.spd")));
}

TEST_F(FileSystem, DateLastModifiedIsCutToTheSecondForTheOneMinuteRule) {
  write_bytes("roads.shp", "");
  write_bytes("Corvane.ini", "");
  const win::FileSystemObject fso;
  const auto modified = [&](const char* name) {
    return fso.GetFile(path(name))->DateLastModified();
  };
  const long stamp = 1765300000;
  set_modified(path("Corvane.ini"), stamp, 999'999'999);
  EXPECT_EQ(modified("Corvane.ini"), sys_seconds(seconds(stamp)));

  const struct {
    long shapefile_after_ini; // seconds
    long nanoseconds;
    bool later_than_a_minute;
  } cases[] = {{59, 0, false}, {60, 0, false}, {60, 999'999'999, false}, {61, 0, true}};
  set_modified(path("Corvane.ini"), stamp, 0);
  for (const auto& c : cases) {
    set_modified(path("roads.shp"), stamp + c.shapefile_after_ini, c.nanoseconds);
    EXPECT_EQ(modified("roads.shp") > modified("Corvane.ini") + minutes(1), c.later_than_a_minute)
        << c.shapefile_after_ini;
  }
}

TEST_F(FileSystem, DeletingAReadOnlyFileNeedsForce) {
  const win::FileSystemObject fso;
  write_bytes("a.txt", "");
  write_bytes("b.txt", "");
  fs::permissions(path("a.txt"), fs::perms::owner_read);
  EXPECT_FALSE(fso.DeleteFile(path("a.txt")));
  EXPECT_TRUE(fs::exists(path("a.txt")));
  EXPECT_TRUE(fso.DeleteFile(path("A.TXT"), true));
  EXPECT_FALSE(fs::exists(path("a.txt")));
  EXPECT_FALSE(fso.DeleteFile(path("a.txt"), true));

  fs::permissions(path("b.txt"), fs::perms::owner_read);
  EXPECT_EQ(win::DeleteFileA(path("b.txt").c_str()), 0);
  fs::permissions(path("b.txt"), fs::perms::owner_all);
  EXPECT_NE(win::DeleteFileA(path("B.txt").c_str()), 0);
  EXPECT_EQ(win::DeleteFileA(path("b.txt").c_str()), 0);
  EXPECT_EQ(win::DeleteFileA(root_.c_str()), 0);
}

TEST_F(FileSystem, TheErrorLogOnDriveCIsARealFileUnderTheDriveRoot) {
  fs::create_directories(root_ / "drives/C");
  write_bytes("drives/C/CVErrors.txt", "old");
  const win::FileSystemObject fso;
  ASSERT_TRUE(fso.FileExists("C:\\CVErrors.txt"));
  EXPECT_TRUE(fso.DeleteFile("C:\\CVErrors.txt", true));
  EXPECT_FALSE(fs::exists(root_ / "drives/C/CVErrors.txt"));
}

TEST_F(FileSystem, TextFilesEndEveryLineWithCrLf) {
  const win::FileSystemObject fso;
  write_bytes("Attrib.txt", "old contents that are longer");
  auto text = fso.CreateTextFile(path("Attrib.txt"), true);
  ASSERT_TRUE(text);
  text->WriteLine("7");
  text->WriteLine("-6");
  text->WriteLine("");
  EXPECT_TRUE(text->Close());
  EXPECT_EQ(read_bytes("Attrib.txt"), "7\r\n-6\r\n\r\n");

  EXPECT_FALSE(fso.CreateTextFile(path("Attrib.txt"), false));
  EXPECT_EQ(read_bytes("Attrib.txt"), "7\r\n-6\r\n\r\n");
  EXPECT_FALSE(fso.CreateTextFile(path("no-folder/Attrib.txt"), true));
}

// A copy replaces an older file whole or not at all: a failure before the rename leaves the old
// one as it was and says why, naming the file.
TEST_F(FileSystem, CopyFileReplacesAnOlderFileWholeOrNotAtAll) {
  const win::FileSystemObject fso;
  write_bytes("Corvane.ini", "new settings");
  write_bytes("Corvane.ini.bak", "older copy");
  files::testing::before_step = [](files::testing::Step step, const fs::path& target) {
    if (step == files::testing::Step::rename)
      throw files::FileError(target, "the disk failed");
  };
  const auto failed = fso.CopyFile(path("Corvane.ini"), path("Corvane.ini.bak"));
  files::testing::before_step = nullptr;
  ASSERT_TRUE(failed);
  EXPECT_NE(failed->find("Corvane.ini.bak"), std::string::npos) << *failed;
  EXPECT_EQ(read_bytes("Corvane.ini.bak"), "older copy");
  EXPECT_FALSE(fs::exists(path("Corvane.ini.bak.tmp")));

  EXPECT_FALSE(fso.CopyFile(path("CORVANE.INI"), path("Corvane.ini.bak")));
  EXPECT_EQ(read_bytes("Corvane.ini.bak"), "new settings");
  EXPECT_EQ(fso.CopyFile(path("link.spd"), path("link.spd.bak")),
            path("link.spd") + " cannot be read");
  EXPECT_FALSE(fs::exists(path("link.spd.bak")));
}

TEST_F(FileSystem, ShellExecuteHandsTheRequestToTheHost) {
  write_bytes("corvane.chm", "");
  std::vector<win::ShellRequest> seen;
  const std::string help = path("corvane.chm");

  EXPECT_EQ(win::ShellExecuteA(nullptr, "open", help.c_str(), "", root_.c_str(), 3), 31);
  win::set_shell_sink([&](const win::ShellRequest& request) { seen.push_back(request); });
  EXPECT_GT(win::ShellExecuteA(nullptr, "open", help.c_str(), "", root_.c_str(), 3), 32);
  EXPECT_EQ(win::ShellExecuteA(nullptr, "open", path("missing.chm").c_str(), "", nullptr, 3), 2);
  win::set_shell_sink(nullptr);

  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].operation, "open");
  EXPECT_EQ(seen[0].file, help);
  EXPECT_EQ(seen[0].parameters, "");
  EXPECT_EQ(seen[0].directory, root_.string());
  EXPECT_EQ(seen[0].show_command, 3);
}

} // namespace
