#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "check_network.h"
#include "checks/add_node_shp.h"
#include "checks/cul_de_sac.h"
#include "common/network_workspace.h"
#include "files/replace_file.h"
#include "host/fields.h"
#include "support/killed_at_step.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using files::testing::Step;
using SetBytes = std::map<std::string, std::string>;

// The outputs as the tools write them again over their earlier output: killed at any step of
// removing the old set or putting the new one in place, the next run is not refused and leaves
// the whole new set and nothing of the replacement.
class OutputReplacement : public testing::CheckTest {
protected:
  // The files of the set `name` (and of its scratch "NAME~new"), byte for byte.
  SetBytes set_files(const std::string& name) {
    SetBytes files;
    for (const auto& entry : fs::directory_iterator(path())) {
      const auto file = entry.path().filename().string();
      if (file.starts_with(name + ".") || file.starts_with(name + "~")) {
        std::ifstream in(entry.path(), std::ios::binary);
        files[file] = {std::istreambuf_iterator<char>(in), {}};
      }
    }
    return files;
  }

  void restore(const std::string& name, const SetBytes& files) {
    for (const auto& [file, bytes] : set_files(name))
      fs::remove(path(file));
    for (const auto& [file, bytes] : files)
      std::ofstream(path(file), std::ios::binary) << bytes;
  }

  corvane::testing::ReachedSteps run_in_child(const std::function<void()>& action, int kill_at) {
    return corvane::testing::RunKilledAtStep(path("steps.txt"), action, kill_at);
  }

  // `action` writes the output `name` over an earlier one; killed before each of its steps that
  // touch the set, and run again, it is not refused and leaves the set a whole run leaves.
  void kill_at_every_step(const std::string& name, const std::function<void()>& action) {
    SCOPED_TRACE(name);
    action();
    const SetBytes earlier = set_files(name);
    ASSERT_FALSE(earlier.empty());
    const auto steps = run_in_child(action, -1);
    const SetBytes whole = set_files(name);
    ASSERT_FALSE(whole.empty());
    int kills = 0;
    for (int kill_at = 0; kill_at < static_cast<int>(steps.size()); ++kill_at) {
      const auto& [step, file] = steps[std::size_t(kill_at)];
      if (!file.starts_with(name + ".") && !file.starts_with(name + "~"))
        continue;
      SCOPED_TRACE("killed before step " + std::to_string(int(step)) + " of " + file);
      ++kills;
      restore(name, earlier);
      run_in_child(action, kill_at);
      const auto messages = shown().size();
      action();
      const auto all = shown();
      for (auto message = all.begin() + std::ptrdiff_t(messages); message != all.end(); ++message)
        EXPECT_FALSE(message->starts_with("Output File")) << *message;
      EXPECT_EQ(set_files(name), whole);
      for (const auto& entry : fs::directory_iterator(path()))
        for (const char* left : {".tmp", ".replacing"})
          EXPECT_NE(entry.path().extension(), left) << entry.path();
    }
    // The old set's removal and the new set's renames are among the steps.
    EXPECT_GE(kills, 6);
  }
};

TEST_F(OutputReplacement, AKillAtAnyStepOfTheNodeLayerIsCompletedByTheNextRun) {
  build_check_network();
  kill_at_every_step("node", [&] { ASSERT_TRUE(run(com::make<AddNodeShp>())); });
}

TEST_F(OutputReplacement, AKillAtAnyStepOfTheDeadEndOutputIsCompletedByTheNextRun) {
  build_check_network();
  kill_at_every_step("CulDeSac", [&] { ASSERT_TRUE(run(com::make<CulDeSac>())); });
}

TEST_F(OutputReplacement, AKillAtAnyStepOfTheRouteOutputIsCompletedByTheNextRun) {
  build_check_network();
  kill_at_every_step("Route", [&] {
    click(0, 0);
    click(2000, 0, 1);
  });
}

// The dead ends and a route without directions are copies of road links: after the road layer
// lost a field, the earlier outputs are still the system's own.
TEST_F(OutputReplacement, ACopyOfRoadLinksStaysTheSystemsOwnWhenTheRoadLayerChanges) {
  build_check_network();
  ASSERT_TRUE(run(com::make<CulDeSac>()));
  click(0, 0);
  click(2000, 0, 1);
  const auto roads = open("roads");
  const auto fields = roads->Fields();
  ASSERT_EQ(roads->DeleteField(fields->Field(fields->FindField("NAME")).get()), com::S_OK);
  const auto before = shown().size();
  ASSERT_TRUE(run(com::make<CulDeSac>()));
  click(0, 0);
  click(2000, 0, 1);
  EXPECT_EQ(shown().size(), before + 1) << shown().back(); // the route's totals alone
  EXPECT_EQ(attribute_names(*open("CulDeSac")), (std::vector<std::string>{"CV_RESULT"}));
  EXPECT_EQ(attribute_names(*open("Route")), (std::vector<std::string>{"CV_RESULT"}));
}

} // namespace
} // namespace corvane
