#include "files/replace_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "common/support/test_folder.h"
#include "platform/files/file_bytes.h"

namespace files::test {
namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
protected:
  fs::path folder = corvane::testing::fresh_test_folder("files");
  fs::path target = folder / "link.bin";
  const Bytes old_contents{'o', 'l', 'd'};
  const Bytes new_contents{'n', 'e', 'w', '!'};

  void SetUp() override { write_bytes(target, old_contents); }
  void TearDown() override {
    testing::before_step = nullptr;
    fs::remove_all(folder);
  }
  void write_new(ReplacingFile& file) const {
    file.write_at(0, new_contents.data(), 2);
    file.write_at(2, new_contents.data() + 2, 2);
  }
};

TEST_F(ReplaceFileTest, TheTargetKeepsItsOldContentsUntilTheCommitAndItsPermissionsAfter) {
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ReplacingFile file(target);
  write_new(file);
  EXPECT_EQ(read_bytes(target), old_contents);
  EXPECT_TRUE(fs::exists(temporary_path(target)));
  file.commit();
  EXPECT_EQ(read_bytes(target), new_contents);
  EXPECT_FALSE(fs::exists(temporary_path(target)));
  EXPECT_EQ(fs::status(target).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ReplaceFileTest, AFailureBeforeTheRenameOrNoCommitLeavesTheTargetAndNoTemporary) {
  testing::before_step = [](testing::Step step, const fs::path&) {
    if (step == testing::Step::rename)
      throw std::runtime_error("killed");
  };
  {
    ReplacingFile file(target);
    write_new(file);
    EXPECT_THROW(file.commit(), std::runtime_error);
  }
  {
    ReplacingFile dropped(target);
    write_new(dropped);
  }
  EXPECT_EQ(read_bytes(target), old_contents);
  EXPECT_FALSE(fs::exists(temporary_path(target)));
}

TEST_F(ReplaceFileTest, ALinkedTargetIsReplacedBehindItsLink) {
  const fs::path link = folder / "alias.bin";
  fs::create_symlink(target, link);
  ReplacingFile file(link);
  write_new(file);
  file.commit();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(read_bytes(target), new_contents);
}

TEST_F(ReplaceFileTest, AStaleTemporaryIsRemovedAndANewFileNeedsNoOldOne) {
  write_bytes(temporary_path(target), {'h', 'a', 'l', 'f'});
  remove_stale_temporary(target);
  EXPECT_FALSE(fs::exists(temporary_path(target)));

  const fs::path fresh = folder / "node.bin";
  ReplacingFile file(fresh);
  write_new(file);
  file.commit();
  EXPECT_EQ(read_bytes(fresh), new_contents);
}

} // namespace
} // namespace files::test
