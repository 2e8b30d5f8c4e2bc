#include "data/buffered_reads.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fixture.h"

namespace host::test {
namespace {

// A file of 200,000 bytes, each its offset modulo 251 (a prime, so that no two blocks match).
class BufferedReadsTest : public ::testing::Test {
protected:
  static constexpr SAOffset size = 200'000;

  void SetUp() override {
    std::ofstream out(path(), std::ios::binary);
    for (SAOffset at = 0; at < size; ++at)
      out.put(static_cast<char>(at % 251));
  }
  std::string path() const { return (folder_.path() / "bytes.bin").string(); }

  static std::vector<char> expected(SAOffset offset, SAOffset count) {
    std::vector<char> bytes;
    for (SAOffset at = offset; at < offset + count && at < size; ++at)
      bytes.push_back(static_cast<char>(at % 251));
    return bytes;
  }

  const SAHooks& hooks = buffered_read_hooks();

private:
  TempFolder folder_;
};

TEST_F(BufferedReadsTest, SeeksAndReadsGiveTheFilesBytesWhereverTheBlocksFall) {
  const SAFile file = hooks.FOpen(path().c_str(), "rb");
  ASSERT_NE(file, nullptr);
  struct Read {
    SAOffset offset;
    SAOffset count;
  };
  // In record order, back into a block read before, across a block's end, larger than a
  // block, and from a block read before that was left.
  for (const Read read : std::vector<Read>{{0, 100},
                                           {100, 28},
                                           {60, 10},
                                           {65'530, 12},
                                           {1'000, 70'000},
                                           {65'540, 4},
                                           {199'990, 10}}) {
    SCOPED_TRACE("offset " + std::to_string(read.offset));
    ASSERT_EQ(hooks.FSeek(file, read.offset, SEEK_SET), SAOffset{0});
    std::vector<char> got(read.count);
    EXPECT_EQ(hooks.FRead(got.data(), 1, read.count, file), read.count);
    EXPECT_EQ(got, expected(read.offset, read.count));
    EXPECT_EQ(hooks.FTell(file), read.offset + read.count);
  }
  EXPECT_EQ(hooks.FClose(file), 0);
}

TEST_F(BufferedReadsTest, AReadPastTheEndGivesTheWholeItemsThereAre) {
  const SAFile file = hooks.FOpen(path().c_str(), "rb");
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(hooks.FSeek(file, 0, SEEK_END), SAOffset{0});
  EXPECT_EQ(hooks.FTell(file), size);
  // 3 bytes left: one whole item of 2, the position past all 3.
  ASSERT_EQ(hooks.FSeek(file, size - 3, SEEK_SET), SAOffset{0});
  std::vector<char> got(4);
  EXPECT_EQ(hooks.FRead(got.data(), 2, 2, file), SAOffset{1});
  EXPECT_EQ(std::vector<char>(got.begin(), got.begin() + 3), expected(size - 3, 3));
  EXPECT_EQ(hooks.FTell(file), size);
  EXPECT_EQ(hooks.FRead(got.data(), 1, 1, file), SAOffset{0});
  ASSERT_EQ(hooks.FSeek(file, 10, SEEK_SET), SAOffset{0});
  ASSERT_EQ(hooks.FSeek(file, 5, SEEK_CUR), SAOffset{0});
  EXPECT_EQ(hooks.FRead(got.data(), 1, 1, file), SAOffset{1});
  EXPECT_EQ(got[0], expected(15, 1)[0]);
  EXPECT_EQ(hooks.FClose(file), 0);
}

TEST_F(BufferedReadsTest, NothingIsOpenedToBeWrittenAndAMissingFileIsNotOpened) {
  for (const char* access : {"rb+", "r+b", "wb", "ab"})
    EXPECT_EQ(hooks.FOpen(path().c_str(), access), nullptr) << access;
  EXPECT_EQ(hooks.FOpen((path() + ".missing").c_str(), "rb"), nullptr);
  const SAFile file = hooks.FOpen(path().c_str(), "rb");
  ASSERT_NE(file, nullptr);
  char byte = 7;
  EXPECT_EQ(hooks.FWrite(&byte, 1, 1, file), SAOffset{0});
  EXPECT_EQ(hooks.FClose(file), 0);
  EXPECT_EQ(read_bytes(path()), expected(0, size));
}

} // namespace
} // namespace host::test
