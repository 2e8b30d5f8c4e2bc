#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "command/app_path.h"
#include "command/command_bitmap.h"
#include "network/state/handler_end.h"
#include "support/test_folder.h"

namespace corvane {
namespace {

class CommandBitmapTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = testing::fresh_test_folder("bitmap");
    std::filesystem::create_directories(folder_ / "Bitmaps");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / "Bitmaps" / name, std::ios::binary) << bytes;
  }

  std::filesystem::path folder_;
};

TEST_F(CommandBitmapTest, TheInstalledPicturesAreRealBitmaps) {
  const auto first = CommandBitmap::load(AppPath(), 7048);
  const auto second = CommandBitmap::load(AppPath(), 7048);
  EXPECT_EQ(first.width(), 16);
  EXPECT_EQ(first.height(), 16);
  EXPECT_NE(first.handle(), 0);
  EXPECT_NE(first.handle(), second.handle()) << "each loaded picture has its own handle";
}

TEST_F(CommandBitmapTest, AMissingOrDamagedFileEndsTheLoad) {
  EXPECT_THROW(CommandBitmap::load(folder_.string(), 7001), HandlerEnd) << "missing";

  std::ifstream in(std::filesystem::path(AppPath()) / "Bitmaps" / "7001.bmp", std::ios::binary);
  const std::string good{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GT(good.size(), 54u);
  write("7002.bmp", good.substr(0, good.size() - 10));
  write("7003.bmp", "PK" + good.substr(2));
  write("7004.bmp", "");
  for (int id : {7002, 7003, 7004})
    EXPECT_THROW(CommandBitmap::load(folder_.string(), id), HandlerEnd) << id;
}

} // namespace
} // namespace corvane
