#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "maintenance_fixture.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::A;
using testing::B;

std::string bytes_of(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A network on a small file system of its own, which a filler file fills to a few pages: the
// rebuild of a moved folder meets a real full disk at each of its writes in turn.
class RealFullDisk : public testing::MaintenanceTest {
protected:
  void SetUp() override {
    MaintenanceTest::SetUp();
    if (::geteuid() != 0 || ::mount("tmpfs", path().c_str(), "tmpfs", 0, "size=2m") != 0)
      GTEST_SKIP() << "a small file system of the test's own needs root to mount it; the full "
                      "disks injected through the file layer (HostileSettings) stand in";
    mounted_ = true;
    build();
    const auto close_link = command("Corvane.CloseLink");
    ASSERT_TRUE(select(close_link));
    click(close_link, along(A, B, 0.5));
    // The folder moved since the network was built: the links are the same.
    ASSERT_TRUE(settings::write(ini(), settings::Info, settings::ShapeFile, "C:\\old\\roads.shp"));
    take_messages();
    for (const auto& entry : fs::directory_iterator(path()))
      kept_[entry.path().filename()] = bytes_of(entry.path());
  }
  void TearDown() override {
    if (mounted_) {
      if (const auto& base = shared_state().gNetBase)
        base->Unload();
      ::umount2(path().c_str(), MNT_DETACH);
    }
    MaintenanceTest::TearDown();
  }

  void restore_folder() {
    for (const auto& entry : fs::directory_iterator(path()))
      fs::remove_all(entry.path());
    for (const auto& [name, bytes] : kept_)
      std::ofstream(path(name), std::ios::binary) << bytes;
  }
  // Fills the file system but for `pages` pages.
  void fill_but(std::uintmax_t pages) {
    struct statvfs room {};
    ASSERT_EQ(::statvfs(path().c_str(), &room), 0);
    const std::uintmax_t free = room.f_bavail * room.f_bsize;
    const std::uintmax_t left = pages * room.f_bsize;
    std::ofstream(path("filler"), std::ios::binary)
        << std::string(free > left ? free - left : 0, 'x');
  }
  // When each network file was last replaced.
  std::map<std::string, fs::file_time_type> network_files() const {
    std::map<std::string, fs::file_time_type> files;
    for (const auto* name : {"link.bin", "dist.bin", "coord.bin", "node.bin", "attribute.bin"})
      files[name] = fs::last_write_time(path(name));
    return files;
  }

  bool mounted_ = false;
  std::map<std::string, std::string> kept_;
};

// Whatever write the full disk stops, the run says so in its first words, never that a file
// was not found, and never that it succeeded unless it did; with space back the next opening
// has the closure in force, or names the copy that keeps it — and keeps it in force whenever
// the failed run replaced no network file.
TEST_F(RealFullDisk, EveryWriteOfARebuildSaysWhyAndAReplacementNotBegunKeepsTheClosure) {
  int failures = 0;
  for (std::uintmax_t pages = 0; pages <= 12; ++pages) {
    SCOPED_TRACE(std::to_string(pages) + " pages free");
    restore_folder();
    const auto old_files = network_files();
    fill_but(pages);
    // The old files stay open, so that a file replaced gives none of its room back: the later
    // writes meet the full disk too.
    std::vector<std::ifstream> held;
    for (const auto& [name, bytes] : kept_)
      held.emplace_back(path(name));
    shared_state().gNetworkState = NetworkClosed;
    take_messages();
    ASSERT_EQ(create_->OnClick(), com::S_OK);
    const auto said = take_messages();
    held.clear();
    fs::remove(path("filler"));
    ASSERT_FALSE(said.empty());
    const bool built = said.front() == "Network created successfully";
    if (!built) {
      ++failures;
      EXPECT_NE(said.front().find("there is no space left on the device"), std::string::npos)
          << said.front();
    }
    for (const auto& text : said)
      EXPECT_EQ(text.find("Wrong path, File not found"), std::string::npos) << text;
    const bool replaced_nothing = network_files() == old_files;

    shared_state().gNetworkState = NetworkClosed;
    ASSERT_EQ(create_->OnClick(), com::S_OK);
    const auto next = take_messages();
    ASSERT_FALSE(next.empty());
    EXPECT_TRUE(next.front() == "Network created successfully" ||
                next.front() == "Network loaded successfully")
        << ::testing::PrintToString(next);
    const bool kept = shared_state().gClosedLinkCount == 1;
    bool copy_named = false;
    for (const auto& text : next)
      copy_named = copy_named || text.find("The old file is kept as ") != std::string::npos;
    EXPECT_TRUE(kept || copy_named) << ::testing::PrintToString(next);
    if (!built && replaced_nothing) {
      EXPECT_TRUE(kept) << ::testing::PrintToString(next);
      EXPECT_EQ(next.size(), 1u) << ::testing::PrintToString(next);
    }
    for (const auto& entry : fs::directory_iterator(path()))
      EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
  }
  EXPECT_GT(failures, 2) << "the disk was never full enough";
}

} // namespace
} // namespace corvane
