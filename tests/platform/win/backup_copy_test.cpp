#include "win/backup_copy.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

using BackupCopyTest = TempFolder;

// A copy made before is the copy only when it is one of the file's copy names, a plain file, and
// holds the file's bytes as they are; otherwise a new copy takes the next free name.
TEST_F(BackupCopyTest, AnEarlierCopyIsTakenOnlyWhenItHoldsTheFileAsItIs) {
  const struct {
    const char* name;
    std::string earlier; // the copy named as made before
    std::string bytes;   // what it holds ("" for a symbolic link to the same bytes)
    std::string copy;    // the copy the file then has
    bool reused;
  } cases[] = {
      {"the same bytes", "Corvane.ini.3.bak", "old", "Corvane.ini.3.bak", true},
      {"other bytes", "Corvane.ini.3.bak", "newer", "Corvane.ini.bak", false},
      {"a symbolic link", "Corvane.ini.3.bak", "", "Corvane.ini.bak", false},
      {"no copy name", "Corvane.ini.03.bak", "old", "Corvane.ini.bak", false},
      {"a copy of another file", "link.spd.bak", "old", "Corvane.ini.bak", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& entry : fs::directory_iterator(path("")))
      fs::remove_all(entry.path());
    write_bytes("Corvane.ini", "old");
    if (c.bytes.empty()) {
      write_bytes("elsewhere", "old");
      fs::create_symlink(path("elsewhere"), path(c.earlier));
    } else {
      write_bytes(c.earlier, c.bytes);
    }
    const auto kept = win::KeepBackupCopy(path("Corvane.ini"), {path(c.earlier)});
    EXPECT_FALSE(kept.failure.has_value());
    EXPECT_EQ(kept.copy, path(c.copy));
    EXPECT_EQ(kept.reused, c.reused);
    EXPECT_EQ(read_bytes(c.copy), "old");
    if (!c.bytes.empty()) {
      EXPECT_EQ(read_bytes(c.earlier), c.bytes) << "an earlier copy is never written";
    }
  }
}

TEST_F(BackupCopyTest, TheCopiesOfAFileAreItsPlainFilesUnderCopyNames) {
  for (const auto* name : {"Corvane.ini.bak", "Corvane.ini.12.bak", "Corvane.ini.0.bak",
                           "Corvane.ini.10000.bak", "Corvane.ini.bak.tmp", "Corvane.ini.x.bak"})
    write_bytes(name, "copy");
  fs::create_directory(path("Corvane.ini.2.bak"));
  auto copies = win::BackupCopiesOf(path("Corvane.ini"));
  std::ranges::sort(copies);
  EXPECT_EQ(copies,
            (std::vector<std::string>{path("Corvane.ini.12.bak"), path("Corvane.ini.bak")}));
}

} // namespace
