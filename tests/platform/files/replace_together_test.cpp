#include "files/replace_together.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "common/support/test_folder.h"
#include "files/file_error.h"
#include "platform/files/file_bytes.h"
#include "platform/files/replacement_stop.h"

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

// A scratch set is put in place by the same steps in the same order, its record included, so a
// kill leaves it as it leaves any set; only none of them waits for the disk.
TEST_F(ReplaceTogetherTest, AScratchSetTakesTheStepsOfAnyOtherWithoutASync) {
  const auto steps_of = [&](Durability durability) {
    std::vector<std::string> steps;
    testing::before_step = [&](testing::Step step, const fs::path& target) {
      steps.push_back(std::to_string(int(step)) + " " + target.filename().string());
    };
    std::vector<std::unique_ptr<ReplacingFile>> files;
    for (const fs::path& target : {shp, dbf}) {
      files.push_back(std::make_unique<ReplacingFile>(target));
      files.back()->write_at(0, new_contents.data(), new_contents.size());
    }
    replace_together(files, {}, durability);
    testing::before_step = nullptr;
    EXPECT_EQ(read_bytes(shp), new_contents);
    EXPECT_EQ(read_bytes(dbf), new_contents);
    EXPECT_TRUE(only_the_set_is_left());
    return steps;
  };
  std::vector<std::string> synced = steps_of(Durability::synced);
  const std::vector<std::string> scratch = steps_of(Durability::scratch);
  const std::string sync = std::to_string(int(testing::Step::sync)) + " ";
  EXPECT_GT(std::erase_if(synced, [&](const std::string& step) { return step.starts_with(sync); }),
            0u);
  EXPECT_EQ(scratch, synced);
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

// A record is only followed when it is whole and names files of its own set; anything else is
// refused as damaged, named so that the user knows what to remove, and nothing is renamed or
// removed on its word.
TEST_F(ReplaceTogetherTest, ARecordThatIsNotOneOrReachesBeyondItsSetIsRefusedAsDamaged) {
  const std::string mark = "corvane replacement\n";
  const struct {
    std::string text;
    const char* reason;
  } cases[] = {
      {"", "is not a record of files being replaced"},
      {"roads.shp\n", "is not a record of files being replaced"},
      {mark + "roads.shp", "is not a record of files being replaced"}, // cut short
      {std::string(5000, 'x'), "is not a record of files being replaced"},
      {mark, "names no file"},
      {mark + "\n", "names no file"},
      {mark + "roads.dbf\n\n\n", "names \"\", which is not a file in its folder"},
      {mark + "\nroads.shp\n../roads.dbf\n",
       "names \"../roads.dbf\", which is not a file in its folder"},
      {mark + "../roads.shp\n", "names \"../roads.shp\", which is not a file in its folder"},
      {mark + "/tmp/roads.shp\n", "names \"/tmp/roads.shp\", which is not a file in its folder"},
      {mark + "..\n", "names \"..\", which is not a file in its folder"},
      // Files of the folder that are not the set's: the user's own, which a record never touches.
      {mark + "\nroads.shp\nCorvane.ini\n",
       "names \"Corvane.ini\", which is not a file of the set"},
      {mark + "\nroads2.shp\n", "names \"roads2.shp\", which is not a file of the set"},
      {mark + "\nroads.other.shp\n", "names \"roads.other.shp\", which is not a file of the set"},
      {mark + "roads.txt\n", "names \"roads.txt\", which is not a file of the set"},
      {mark + "roads\n", "names \"roads\", which is not a file of the set"},
  };
  const fs::path other = folder / "Corvane.ini";
  write_bytes(other, old_contents);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    write_bytes(record, Bytes(c.text.begin(), c.text.end()));
    write_bytes(temporary_path(shp), new_contents);
    try {
      finish_replacement(shp);
      ADD_FAILURE() << "accepted";
    } catch (const DamagedRecord& refused) {
      const std::string message = refused.what();
      EXPECT_EQ(message.rfind("roads.replacing in " + folder.string() + " cannot be read: it ", 0),
                0u)
          << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
      EXPECT_TRUE(message.ends_with("; remove it, then try again")) << message;
    }
    EXPECT_EQ(read_bytes(shp), old_contents);
    EXPECT_EQ(read_bytes(dbf), old_contents);
    EXPECT_EQ(read_bytes(other), old_contents);
    EXPECT_TRUE(fs::exists(record));
  }
  // A folder under the record's name is no record either; once it is gone the set opens.
  fs::remove(record);
  fs::create_directory(record);
  EXPECT_THROW(finish_replacement(shp), DamagedRecord);
  fs::remove(record);
  finish_replacement(shp);
  EXPECT_EQ(read_bytes(shp), old_contents);
  EXPECT_FALSE(fs::exists(temporary_path(shp)));
}

// The set's own files are its whatever their letter case, its indexes and metadata included.
TEST_F(ReplaceTogetherTest, ARecordOfItsOwnSetIsFollowedWhateverTheLetterCase) {
  const fs::path index = folder / "ROADS.SBN";
  const fs::path metadata = folder / "roads.shp.xml";
  write_bytes(index, old_contents);
  write_bytes(metadata, old_contents);
  write_bytes(temporary_path(shp), new_contents);
  const std::string text = "corvane replacement\nroads.shp\n\nROADS.SBN\nroads.shp.xml\n";
  write_bytes(record, Bytes(text.begin(), text.end()));
  finish_replacement(shp);
  EXPECT_EQ(read_bytes(shp), new_contents);
  EXPECT_FALSE(fs::exists(index));
  EXPECT_FALSE(fs::exists(metadata));
  EXPECT_TRUE(only_the_set_is_left());
}

// A writer is held to the same rule: a file of another set never goes with this one's record.
TEST_F(ReplaceTogetherTest, ARemovalNamingAFileOfAnotherSetIsRefusedBeforeAnythingChanges) {
  const fs::path other = folder / "Corvane.ini";
  write_bytes(other, old_contents);
  EXPECT_THROW(remove_together(shp, {shp, other}), FileError);
  EXPECT_TRUE(fs::exists(other));
  EXPECT_TRUE(fs::exists(shp));
  EXPECT_FALSE(fs::exists(record));
}

// A set deleted through its record: a kill before any of its removals leaves the record, and the
// next look at the set removes the rest, so that no ".shp" stays without its ".dbf".
TEST_F(ReplaceTogetherTest, ARemovalKilledAtAnyStepIsCompletedByTheNextLook) {
  const fs::path prj = folder / "roads.prj";
  for (const fs::path& doomed : {shp, dbf, prj}) {
    SCOPED_TRACE(doomed.filename().string());
    write_bytes(shp, old_contents);
    write_bytes(dbf, old_contents);
    write_bytes(prj, old_contents);
    ASSERT_TRUE(testing::killed_before(testing::Step::remove, doomed.filename().string(), [&] {
      remove_together(shp, {shp, dbf, prj});
    }));
    EXPECT_TRUE(fs::exists(record));
    finish_replacement(dbf);
    EXPECT_TRUE(fs::is_empty(folder));
  }
}

// A table taking the place of a shapefile: its shapes go with the record that decides the new
// table, never before it (a failure before leaves all the old set) nor beside it.
TEST_F(ReplaceTogetherTest, FilesTheNewSetHasNoneOfGoWithItsDecision) {
  const fs::path shx = folder / "roads.shx";
  for (const bool decided : {false, true}) {
    SCOPED_TRACE(decided ? "failed after the record" : "failed before the record");
    write_bytes(shp, old_contents);
    write_bytes(shx, old_contents);
    write_bytes(dbf, old_contents);
    std::vector<std::unique_ptr<ReplacingFile>> files;
    files.push_back(std::make_unique<ReplacingFile>(dbf));
    files.back()->write_at(0, new_contents.data(), new_contents.size());
    testing::stop_before(decided ? testing::Step::remove : testing::Step::create_temporary,
                         decided ? "roads.shx" : "roads.replacing", false);
    EXPECT_ANY_THROW(replace_together(files, {shp, shx}));
    testing::before_step = nullptr;
    files.clear();
    finish_replacement(dbf);
    EXPECT_EQ(read_bytes(dbf), decided ? new_contents : old_contents);
    EXPECT_EQ(fs::exists(shp), !decided);
    EXPECT_EQ(fs::exists(shx), !decided);
    EXPECT_FALSE(fs::exists(record));
    EXPECT_FALSE(fs::exists(temporary_path(dbf)));
  }
}

// What the folder holds of temporaries is kept from one look to the next only while no name in
// it changed: a temporary a killed run left after the last look is still found.
TEST_F(ReplaceTogetherTest, ATemporaryLeftAfterTheLastLookIsStillFound) {
  const auto long_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(folder, long_ago);
  finish_replacement(shp); // nothing to do, and the listing kept
  finish_replacement(shp);
  write_bytes(temporary_path(dbf), new_contents);
  finish_replacement(shp);
  EXPECT_TRUE(only_the_set_is_left());
  EXPECT_EQ(read_bytes(dbf), old_contents);
}

} // namespace
} // namespace files::test
