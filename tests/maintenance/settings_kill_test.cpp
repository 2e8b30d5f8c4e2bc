#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "files/replace_file.h"
#include "maintenance_fixture.h"
#include "network/state/build_mark.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "support/killed_at_step.h"
#include "win/clock.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using files::testing::Step;
using forms::Gesture;
using testing::A;
using testing::B;
using testing::C;
using testing::D;

std::string bytes_of(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A user action killed at each step of each file replacement it makes, then the network opened
// again: the settings files are each the old or the new one, and the network opens on them.
class SettingsKill : public testing::MaintenanceTest {
protected:
  void SetUp() override {
    MaintenanceTest::SetUp();
    // The stamps of every run the same, so that "new" is one content.
    win::clock::set(std::chrono::sys_days{std::chrono::year{2026} / 3 / 4} + std::chrono::hours(9));
    build();
    settings::Changes changes;
    settings::replace_closed_links(changes, {2});
    settings::replace_temp_speeds(changes, {{3, 30, 18.64116}});
    // What the route options command writes for a layer without text fields.
    settings::set(changes, settings::Info, settings::DescFieldName, "Description Field Not Found");
    ASSERT_TRUE(settings::commit(ini(), changes));
    reopen();
  }

  struct Files {
    std::string ini, speeds;
    bool operator==(const Files&) const = default;
  };
  Files files_now() const { return {bytes_of(ini()), bytes_of(path("link.spd"))}; }

  corvane::testing::ReachedSteps run_in_child(const std::function<void()>& action, int kill_at) {
    return corvane::testing::RunKilledAtStep(path("steps.txt"), action, kill_at);
  }

  // The action writes each settings file at most once; killed at any of its steps, it leaves
  // each file old or new, and the network opens again on them: loaded, with the lists of the
  // file it holds, and no temporary left beside the files.
  void kill_at_every_step(const std::string& name, const std::function<void()>& action) {
    SCOPED_TRACE(name);
    const auto before = files_now();
    const auto steps = run_in_child(action, -1);
    const auto after = files_now();
    ASSERT_NE(after, before) << "the action changed no settings file";
    std::map<std::string, int> renames;
    for (const auto& [step, file] : steps)
      renames[file] += step == Step::rename ? 1 : 0;
    for (const auto& [file, count] : renames)
      EXPECT_LE(count, 1) << file << " written more than once";

    for (int kill_at = 0; kill_at < static_cast<int>(steps.size()); ++kill_at) {
      SCOPED_TRACE("killed before step " + std::to_string(kill_at) + " of " +
                   steps[kill_at].second);
      restore(before);
      run_in_child(action, kill_at);
      const auto left = files_now();
      EXPECT_TRUE(left.ini == before.ini || left.ini == after.ini);
      EXPECT_TRUE(left.speeds == before.speeds || left.speeds == after.speeds);
      reopen();
      const auto& state = shared_state();
      EXPECT_EQ(state.gNetworkState, NetworkLoaded);
      EXPECT_EQ(state.gClosedLinkCount,
                settings::read_number(ini(), settings::ClosedRoads, settings::Total));
      EXPECT_EQ(state.gTempSpeedCount,
                settings::read_number(ini(), settings::TemporarySpeeds, settings::Total));
      for (const auto& entry : fs::directory_iterator(path()))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
    }
    restore(before);
    reopen();
  }

  void restore(const Files& files) {
    std::ofstream(ini(), std::ios::binary | std::ios::trunc) << files.ini;
    std::ofstream(path("link.spd"), std::ios::binary | std::ios::trunc) << files.speeds;
  }

  // Shows a dialog by its command and works it with `act`.
  std::function<void()> dialog(std::string prog_id, std::string form,
                               std::function<void(forms::IForm&)> act) {
    return [this, prog_id, form, act] {
      on_form(form, act);
      const auto shown = command(prog_id);
      shown->OnClick();
    };
  }
  std::function<void()> tool_click(std::string prog_id, testing::XY at) {
    return [this, prog_id, at] {
      const auto tool = command(prog_id);
      select(tool);
      click(tool, at);
    };
  }
  std::function<void()> choose_all(std::string prog_id) {
    return [this, prog_id] {
      on_form("FrmDefRoadSp",
              [](forms::IForm& shown) { testing::perform(shown, "CmdAll", Gesture::Click); });
      select(command(prog_id));
    };
  }
};

TEST_F(SettingsKill, EveryDialogSaveLeavesTheOldSettingsOrTheNew) {
  kill_at_every_step("close a road", tool_click("Corvane.CloseLink", along(A, B, 0.5)));
  kill_at_every_step("open every road", choose_all("Corvane.OpenLink"));
  on_form("FrmDynaRoadSP", [](forms::IForm& shown) {
    testing::perform(shown, "Text1", Gesture::Set, "45");
    testing::perform(shown, "CmdUpdate", Gesture::Click);
  });
  kill_at_every_step("give a road a temporary speed",
                     tool_click("Corvane.SetDynSpeed", along(D, C, 0.4)));
  kill_at_every_step("give every road its default speed", choose_all("Corvane.SetDef"));
  kill_at_every_step("zones", dialog("Corvane.Isochrone", "FrmIsochrone", [](forms::IForm& shown) {
                       testing::perform(shown, "List1", Gesture::Select, "#1");
                       testing::perform(shown, "Text1", Gesture::Set, "12");
                       testing::perform(shown, "CmdUpdate", Gesture::Click);
                       testing::perform(shown, "CmdOk", Gesture::Click);
                     }));
  kill_at_every_step("road speeds",
                     dialog("Corvane.SpeedSet", "FrmSetSpeed", [](forms::IForm& shown) {
                       testing::perform(shown, "List1", Gesture::Select, "#1");
                       testing::perform(shown, "txtspdval", Gesture::Set, "80");
                       testing::perform(shown, "CmdUpdate", Gesture::Click);
                       testing::perform(shown, "CmdOk", Gesture::Click);
                     }));
  kill_at_every_step("route options",
                     dialog("Corvane.RouteOptions", "Routeoptpro", [](forms::IForm& shown) {
                       testing::perform(shown, "OptFirstest", Gesture::Click);
                       testing::perform(shown, "RadMi", Gesture::Click);
                       testing::perform(shown, "CmdOk", Gesture::Click);
                     }));
  kill_at_every_step("TSP options", dialog("Corvane.TspOption", "FrmTsp", [](forms::IForm& shown) {
                       testing::perform(shown, "OptOpen", Gesture::Click);
                       testing::perform(shown, "CmdOk", Gesture::Click);
                     }));
}

// A rebuild killed at any write of the engine's files or the settings: the next opening never
// loads the old settings beside new network files, nor settings with keys missing; it builds
// again and ends with the whole new settings, the user's kept since the links are the same.
TEST_F(SettingsKill, ABuildKilledAnywhereIsBuiltAgainOnTheNextOpening) {
  fs::remove(path("attribute.bin")); // the next opening rebuilds
  const auto before = files_now();
  const auto rebuild = [this] { create_->OnClick(); };
  const auto steps = run_in_child(rebuild, -1);
  const auto after = files_now();
  // The engine module replaces its files through its own copy of the file layer, which the
  // steps do not reach: step 0 stands for every kill after the engine's files, before the
  // settings.
  ASSERT_EQ(steps.size(), 8u)
      << "both settings files and the two states of the build mark, each created and renamed";
  for (int kill_at = 0; kill_at < static_cast<int>(steps.size()); ++kill_at) {
    SCOPED_TRACE("killed before step " + std::to_string(kill_at) + " of " + steps[kill_at].second);
    restore(before);
    fs::remove(path("attribute.bin"));
    close_->OnClick();
    run_in_child(rebuild, kill_at);
    const auto left = files_now();
    EXPECT_TRUE(left.ini == before.ini || left.ini == after.ini);
    // Before its mark is in place the build has replaced nothing; the rest of the kills leave
    // a mark that says the build did not finish, and that the engine's files kept the links.
    const bool marked = BuildMarkPresent(path());
    EXPECT_EQ(marked, kill_at >= 2);
    take_messages();
    ASSERT_EQ(create_->OnClick(), com::S_OK);
    const auto messages = take_messages();
    ASSERT_EQ(messages.size(), marked ? 2u : 1u);
    EXPECT_EQ(messages[0], "Network created successfully");
    if (marked) {
      EXPECT_EQ(messages[1], "The last build of the network in " + path() +
                                 " did not finish: its files and settings may not belong "
                                 "together, so the network is built again.");
    }
    EXPECT_FALSE(BuildMarkPresent(path()));
    EXPECT_EQ(files_now(), after);
    // The links are the same: the closure stays.
    EXPECT_EQ(shared_state().gClosedLinkCount, 1);
    for (const auto& entry : fs::directory_iterator(path()))
      EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
  }
}

} // namespace
} // namespace corvane
