#include "files/replace_together.h"

#include <gtest/gtest.h>

#include <string>

#include "common/support/test_folder.h"
#include "files/file_error.h"
#include "platform/files/file_bytes.h"

namespace files::test {
namespace {

namespace fs = std::filesystem;

class ReplaceTogetherTest : public ::testing::Test {
protected:
  fs::path folder = corvane::testing::fresh_test_folder("files");
  fs::path shp = folder / "roads.shp";
  fs::path dbf = folder / "roads.dbf";
  fs::path record = folder / "roads.replacing";
  const Bytes old_contents{'o', 'l', 'd'};
  const Bytes new_contents{'n', 'e', 'w'};

  void SetUp() override {
    write_bytes(shp, old_contents);
    write_bytes(dbf, old_contents);
  }
  void TearDown() override { fs::remove_all(folder); }
  bool only_the_set_is_left() const {
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path() != shp && entry.path() != dbf)
        return false;
    return true;
  }
};

TEST_F(ReplaceTogetherTest, TheSetIsReplacedAndNothingIsLeftBesideIt) {
  std::vector<std::unique_ptr<ReplacingFile>> files;
  for (const fs::path& target : {shp, dbf}) {
    files.push_back(std::make_unique<ReplacingFile>(target));
    files.back()->write_at(0, new_contents.data(), new_contents.size());
  }
  replace_together(files);
  EXPECT_EQ(read_bytes(shp), new_contents);
  EXPECT_EQ(read_bytes(dbf), new_contents);
  EXPECT_TRUE(only_the_set_is_left());
}

TEST_F(ReplaceTogetherTest, FilesOfOneSetInTwoFoldersAreRefusedBeforeAnythingChanges) {
  fs::create_directory(folder / "elsewhere");
  const fs::path apart = folder / "elsewhere" / "roads.dbf";
  write_bytes(apart, old_contents);
  std::vector<std::unique_ptr<ReplacingFile>> files;
  for (const fs::path& target : {shp, apart}) {
    files.push_back(std::make_unique<ReplacingFile>(target));
    files.back()->write_at(0, new_contents.data(), new_contents.size());
  }
  EXPECT_THROW(replace_together(files), FileError);
  files.clear();
  fs::remove_all(folder / "elsewhere");
  EXPECT_EQ(read_bytes(shp), old_contents);
  EXPECT_TRUE(only_the_set_is_left());
}

// A record is only followed when it is whole and names files of its own folder; anything else is
// refused by name and nothing is renamed on its word.
TEST_F(ReplaceTogetherTest, ARecordThatIsNotOneOrReachesOutsideItsFolderIsRefused) {
  const std::string mark = "corvane replacement\n";
  const struct {
    std::string text;
    const char* reason;
  } cases[] = {
      {"roads.shp\n", "is not a record of files being replaced"},
      {mark + "roads.shp", "is not a record of files being replaced"}, // cut short
      {std::string(5000, 'x'), "is not a record of files being replaced"},
      {mark, "names no file"},
      {mark + "\n", "names \"\", which is not a file in its folder"},
      {mark + "../roads.shp\n", "names \"../roads.shp\", which is not a file in its folder"},
      {mark + "/tmp/roads.shp\n", "names \"/tmp/roads.shp\", which is not a file in its folder"},
      {mark + "..\n", "names \"..\", which is not a file in its folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    write_bytes(record, Bytes(c.text.begin(), c.text.end()));
    write_bytes(temporary_path(shp), new_contents);
    try {
      finish_replacement(shp);
      ADD_FAILURE() << "accepted";
    } catch (const FileError& refused) {
      const std::string message = refused.what();
      EXPECT_NE(message.find(record.string()), std::string::npos) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
    EXPECT_EQ(read_bytes(shp), old_contents);
    EXPECT_TRUE(fs::exists(record));
  }
}

} // namespace
} // namespace files::test
