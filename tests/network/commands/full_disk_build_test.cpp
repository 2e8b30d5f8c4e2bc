#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "command/handler_boundary.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network_fixture.h"
#include "support/full_disk.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A rebuild on a disk full from any of its writes on (the road layer's result field, the
// network files, "link.spd", "Corvane.ini", the build mark, the records and clean-ups): it says
// why in words, never a code nor "Success", leaves no temporary or record behind, never says the
// network was created unless it is loaded, and the opening with space back has a whole network.
using FullDiskBuild = testing::NetworkTest;

TEST_F(FullDiskBuild, ARebuildOnADiskFullFromAnyWriteOnSaysWhyAndTheNextOpeningIsWhole) {
  add_roads();
  build();
  const auto kept = path("kept");
  const auto keep = [&] {
    fs::create_directory(kept);
    for (const auto& entry : fs::directory_iterator(path()))
      if (entry.is_regular_file())
        fs::copy_file(entry.path(), kept / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
  };
  const auto restore = [&] {
    for (const auto& entry : fs::directory_iterator(path()))
      if (entry.is_regular_file())
        fs::remove(entry.path());
    for (const auto& entry : fs::directory_iterator(kept))
      fs::copy_file(entry.path(), path(entry.path().filename().string()));
  };
  // A count that does not match the layer's builds again.
  ASSERT_TRUE(settings::write(ini(), settings::Info, settings::RecordNo, " 5"));
  keep();
  const auto rebuild = [&] {
    shared_state().gNetworkState = NetworkClosed;
    take_messages();
    run_handler([&] { open(); });
    return take_messages();
  };
  const long writes = testing::WritesOf([&] { rebuild(); });
  ASSERT_GT(writes, 3);
  for (long from = 0; from < writes; ++from) {
    SCOPED_TRACE("full from write " + std::to_string(from) + " of " + std::to_string(writes));
    restore();
    std::vector<std::string> said;
    {
      const testing::FullDiskFrom full(from);
      said = rebuild();
    }
    const auto all = ::testing::PrintToString(said);
    const bool created = std::ranges::find(said, "Network created successfully") != said.end();
    EXPECT_EQ(created, shared_state().gNetworkState == NetworkLoaded) << all;
    if (!created) {
      EXPECT_NE(all.find("there is no space left on the device"), std::string::npos) << all;
    }
    EXPECT_EQ(all.find(" failed ("), std::string::npos) << all;
    EXPECT_EQ(all.find("Success"), std::string::npos) << all;
    EXPECT_EQ(testing::LeftBehind(path()), std::vector<std::string>{});
    const auto next = rebuild();
    ASSERT_FALSE(next.empty());
    EXPECT_TRUE(next.front() == "Network created successfully" ||
                next.front() == "Network loaded successfully")
        << ::testing::PrintToString(next);
    EXPECT_EQ(shared_state().gNetworkState, NetworkLoaded);
  }
}

} // namespace
} // namespace corvane
