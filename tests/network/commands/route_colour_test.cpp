#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/network/coloring.h"
#include "network/route_colour.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network_fixture.h"

namespace corvane {
namespace {

using namespace std::chrono_literals;
using testing::perform;

class RouteColour : public testing::NetworkTest {
protected:
  void SetUp() override {
    NetworkTest::SetUp();
    // The network layer need not be on the map: only its files are looked at.
    shapefile("roads", host::geometry_polyline, {{{0, 0}, {1, 1}}});
    auto& s = shared_state();
    s.gNetworkFolder = path();
    s.gNetworkLayerName = "roads";
    s.gRouteColorRed = 10;
    s.gRouteColorGreen = 20;
    s.gRouteColorBlue = 30;
    settings::write_colour(ini(), 10, 20, 30);
    set_modified("Corvane.ini", "roads.shp", 0s);
  }
  // Works the dialog with `steps` and records what it showed first.
  void choose(const std::function<void(Coloring&)>& steps) {
    user_->handlers["Coloring"] = [this, steps](forms::IForm& form) {
      auto& dialog = dynamic_cast<Coloring&>(form);
      shown_ = {dialog.Slider1(0).Value(), dialog.Slider1(1).Value(), dialog.Slider1(2).Value()};
      steps(dialog);
    };
    ChooseRouteColour();
  }
  std::vector<int> globals() {
    const auto& s = shared_state();
    return {s.gRouteColorRed, s.gRouteColorGreen, s.gRouteColorBlue};
  }
  std::vector<std::string> stored() {
    return {ini_value(settings::Color, settings::Red), ini_value(settings::Color, settings::Green),
            ini_value(settings::Color, settings::Blue)};
  }
  std::vector<int> shown_;
};

TEST_F(RouteColour, ASwatchSetsItsChosenColourNotTheShownOne) {
  choose([](Coloring& dialog) {
    ASSERT_TRUE(dialog.FindControl("Picture2"));
    EXPECT_EQ(dialog.FindControl("Picture2")->BackColor(), forms::Rgb(255, 128, 128));
    perform(dialog, "Picture2", forms::Gesture::Click);
    EXPECT_EQ(dialog.Picture1(1).BackColor(), forms::Rgb(0, 130, 0));
    EXPECT_EQ(dialog.Shape2.FillColor(), forms::Rgb(255, 130, 132));
    perform(dialog, "CmdOk", forms::Gesture::Click);
    EXPECT_EQ(dialog.DialogResult(), 1);
  });
  EXPECT_EQ(shown_, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(globals(), (std::vector<int>{255, 130, 132}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"255", "130", "132"}));
}

TEST_F(RouteColour, ASliderChangesItsComponentOnly) {
  choose([](Coloring& dialog) {
    perform(dialog, "Slider1(1)", forms::Gesture::Set, "40");
    EXPECT_EQ(dialog.Picture1(1).BackColor(), forms::Rgb(0, 40, 0));
    EXPECT_EQ(dialog.Shape2.FillColor(), forms::Rgb(10, 40, 30));
    perform(dialog, "CmdOk", forms::Gesture::Click);
  });
  EXPECT_EQ(globals(), (std::vector<int>{10, 40, 30}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"10", "40", "30"}));
}

TEST_F(RouteColour, CancelAndTheCloseBoxKeepTheOldColour) {
  choose([](Coloring& dialog) {
    perform(dialog, "Slider1(0)", forms::Gesture::Set, "200");
    perform(dialog, "Picture19", forms::Gesture::Click);
    perform(dialog, "CmdCancel", forms::Gesture::Click);
    EXPECT_EQ(dialog.DialogResult(), 2);
  });
  choose([](Coloring& dialog) { perform(dialog, "Picture3", forms::Gesture::Click); });
  EXPECT_EQ(shown_, (std::vector<int>{10, 20, 30})) << "the dialog shows the old colour again";
  EXPECT_EQ(globals(), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"10", "20", "30"}));
}

// A settings file that cannot be replaced is named; the dialog stays open, and file and colour
// stay as they were.
TEST_F(RouteColour, OkOnAnUnwritableSettingsFileSaysSoAndStaysOpen) {
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_read);
  bool still_open = false;
  choose([&](Coloring& dialog) {
    perform(dialog, "Slider1(1)", forms::Gesture::Set, "40");
    perform(dialog, "CmdOk", forms::Gesture::Click);
    still_open = dialog.Visible();
    EXPECT_NE(dialog.DialogResult(), 1);
  });
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_all);
  EXPECT_TRUE(still_open);
  EXPECT_EQ(take_messages(),
            (std::vector<std::string>{
                ini() + " could not be written: it is read-only. The change is not saved."}));
  EXPECT_EQ(globals(), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"10", "20", "30"}));
}

// A save that fails for want of space says so, not that the file is read-only: the reason is the
// failed write's own (here a limit on the size of the files the process writes).
TEST_F(RouteColour, OkOnAFullDiskNamesTheReasonOfTheFailedWrite) {
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{.rlim_cur = 8, .rlim_max = 8};
    setrlimit(RLIMIT_FSIZE, &limit);
    choose([&](Coloring& dialog) {
      perform(dialog, "Slider1(1)", forms::Gesture::Set, "40");
      perform(dialog, "CmdOk", forms::Gesture::Click);
    });
    const auto said = take_messages();
    _exit(said.size() == 1 &&
                  said[0] == ini() + " could not be written: the file would grow beyond what the "
                                     "device or the system allows. The change is not saved."
              ? 0
              : 1);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(stored(), (std::vector<std::string>{"10", "20", "30"}));
}

TEST_F(RouteColour, RefusesWhenTheLayerChangedAfterTheSettings) {
  set_modified("Corvane.ini", "roads.shp", -61s);
  choose([](Coloring&) { ADD_FAILURE() << "the dialog opened"; });
  EXPECT_EQ(take_messages(), std::vector<std::string>{
                                 "Network layer has been modified. Re-Create the network again "});
  EXPECT_EQ(user_->messages.back().title, "Layer modified");
}

} // namespace
} // namespace corvane
