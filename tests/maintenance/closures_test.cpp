#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "maintenance_fixture.h"
#include "module_command.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;
using testing::XY;

// A straight road of `count` links of 100 m, link i from x = 100 (i - 1) to 100 i.
std::vector<host::Path> straight_road(int count) {
  std::vector<host::Path> links;
  for (int i = 0; i < count; ++i)
    links.push_back({{500000 + 100.0 * i, 6400000}, {500000 + 100.0 * (i + 1), 6400000}});
  return links;
}

// The middle of link i of the straight road, where its "close" marker stands.
XY middle(int link) {
  return {100.0 * link - 50, 0};
}

std::string read_file(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::int32_t> closed_links() {
  const auto& state = shared_state();
  std::vector<std::int32_t> links;
  for (std::int32_t row = 1; row <= state.gClosedLinkCount; ++row)
    links.push_back(state.gClosedLinks[row]);
  return links;
}

class Closures : public testing::MaintenanceTest {
protected:
  void SetUp() override {
    MaintenanceTest::SetUp();
    build(straight_road(60), std::vector<double>(60, 1));
    close_link_ = command("Corvane.CloseLink");
    open_link_ = command("Corvane.OpenLink");
    ASSERT_TRUE(select(close_link_));
  }

  void close(std::initializer_list<int> links) {
    for (const int link : links)
      click(close_link_, middle(link));
  }
  // Selects the open-road tool and gives `answer` ("" closes the choice by its frame).
  void choose(const std::string& answer) {
    on_form("FrmDefRoadSp", [answer](forms::IForm& shown) {
      if (!answer.empty())
        testing::perform(shown, answer == "All" ? "CmdAll" : "CmdSelect", Gesture::Click);
    });
    ASSERT_TRUE(select(open_link_));
  }
  std::string row_value(std::int32_t row) const {
    return ini_value(settings::ClosedRoads, settings::link_row_key(row));
  }

  com::ComPtr<host::ICommand> close_link_;
  com::ComPtr<host::ICommand> open_link_;
};

TEST_F(Closures, AClickAppendsTheLinkOnceWithAMarkerAtItsMiddle) {
  close({10, 20, 57});
  EXPECT_EQ(closed_links(), (std::vector<std::int32_t>{10, 20, 57}));
  EXPECT_EQ(ini_value(settings::ClosedRoads, settings::Total), "3");
  EXPECT_NE(ini_text().find("\r\n 3 . Link Number = 57\r\n"), std::string::npos);
  EXPECT_TRUE(testing::same_points(markers(), {middle(10), middle(20), middle(57)}));

  const auto file = ini_text();
  close({57});
  EXPECT_EQ(closed_links(), (std::vector<std::int32_t>{10, 20, 57}));
  EXPECT_EQ(ini_text(), file);
  EXPECT_EQ(markers().size(), 3u);
  EXPECT_TRUE(take_messages().empty());
}

TEST_F(Closures, AFullListRefusesAFurtherRoadAndChangesNothing) {
  auto& state = shared_state();
  for (std::int32_t row = 1; row <= 300; ++row)
    state.gClosedLinks[row] = 1000 + row;
  state.gClosedLinkCount = 300;
  const auto file = ini_text();
  close({5});
  EXPECT_EQ(take_messages(), std::vector<std::string>{"At most 300 roads can be closed at a time"});
  EXPECT_EQ(state.gClosedLinkCount, 300);
  EXPECT_EQ(ini_text(), file);
  EXPECT_TRUE(markers().empty());
}

// A settings file that cannot be replaced is named; the road stays open and the file as it was.
TEST_F(Closures, AnUnwritableSettingsFileIsNamedAndTheRoadStaysOpen) {
  close({1});
  const auto file = ini_text();
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_read);
  close({5});
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_all);
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{
                ini() + " could not be written: it is read-only. The change is not saved."});
  EXPECT_EQ(closed_links(), std::vector<std::int32_t>{1});
  EXPECT_EQ(ini_text(), file);
  EXPECT_EQ(markers().size(), 1u);
}

TEST_F(Closures, AllOpensEveryRoadAndDisablesTheTool) {
  close({1, 2, 3});
  EXPECT_TRUE(enabled(open_link_));
  choose("All");
  EXPECT_TRUE(closed_links().empty());
  EXPECT_TRUE(markers().empty());
  EXPECT_EQ(ini_value(settings::ClosedRoads, settings::Total), "0");
  EXPECT_EQ(row_value(1), settings::Missing);
  EXPECT_FALSE(enabled(open_link_));
}

TEST_F(Closures, AllEmptiesListAndFileEvenForLinksTheLayerNoLongerHas) {
  close({1, 2});
  shared_state().gClosedLinks[2] = 999; // a link of an older version of the layer
  choose("All");
  EXPECT_TRUE(closed_links().empty());
  EXPECT_EQ(ini_value(settings::ClosedRoads, settings::Total), "0");
  EXPECT_TRUE(testing::same_points(markers(), {middle(2)})) << "the marker of the lost link stays";
}

TEST_F(Closures, SelectOpensTheClickedRoadAndRenumbersTheRows) {
  close({4, 8, 12, 16});
  choose("Select");
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Click on the road to be opened"});
  click(open_link_, middle(8));
  EXPECT_EQ(closed_links(), (std::vector<std::int32_t>{4, 12, 16}));
  EXPECT_EQ(ini_value(settings::ClosedRoads, settings::Total), "3");
  EXPECT_EQ(row_value(1), "4");
  EXPECT_EQ(row_value(2), "12");
  EXPECT_EQ(row_value(3), "16");
  EXPECT_EQ(row_value(4), settings::Missing);
  EXPECT_TRUE(testing::same_points(markers(), {middle(4), middle(12), middle(16)}));

  // A road that is not closed changes nothing.
  click(open_link_, middle(30));
  EXPECT_EQ(closed_links(), (std::vector<std::int32_t>{4, 12, 16}));
  EXPECT_EQ(row_value(3), "16");
}

TEST_F(Closures, OnlySelectModeOpensAClickedRoad) {
  close({4, 8});
  // Before any choice the tool has nothing to act on.
  click(open_link_, middle(4));
  EXPECT_EQ(closed_links(), (std::vector<std::int32_t>{4, 8}));
  EXPECT_TRUE(take_messages().empty());

  // The dialog closed by its frame: no choice, no message.
  choose("");
  EXPECT_EQ(shared_state().gDefRoadChoice, "");
  EXPECT_TRUE(take_messages().empty());
  click(open_link_, middle(4));
  EXPECT_EQ(closed_links(), (std::vector<std::int32_t>{4, 8}));

  // "Select", then "All" answered for the default-speed tool: the open-road tool follows the
  // latest answer.
  choose("Select");
  shared_state().gDefRoadChoice = "All";
  click(open_link_, middle(4));
  EXPECT_EQ(closed_links(), (std::vector<std::int32_t>{4, 8}));
}

TEST_F(Closures, RefusedDuringAnEditSession) {
  shared_state().gEditSessionActive = true;
  close({4});
  EXPECT_TRUE(closed_links().empty());
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Session in edit mode"});
}

// Closing a road sends it to the engine at the next calculation; opening it again stops that.
class ClosedRoutes : public testing::MaintenanceTest {};

TEST_F(ClosedRoutes, AClosureMakesTheRouteGoAroundUntilTheRoadIsOpened) {
  using testing::A;
  using testing::B;
  using testing::C;
  build();
  const auto close_link = command("Corvane.CloseLink");
  const auto open_link = command("Corvane.OpenLink");
  EXPECT_FLOAT_EQ(route_cost(A, C), 2.0f);
  ASSERT_TRUE(select(close_link));
  click(close_link, along(A, B, 0.4));
  EXPECT_FLOAT_EQ(route_cost(A, C), 2.0f * std::sqrt(2.0f));

  on_form("FrmDefRoadSp",
          [](forms::IForm& shown) { testing::perform(shown, "CmdSelect", Gesture::Click); });
  ASSERT_TRUE(select(open_link));
  click(open_link, along(A, B, 0.6));
  EXPECT_FLOAT_EQ(route_cost(A, C), 2.0f);
}

// The pseudo-node repair joins the links of the drawn network into two (A-B-C and A-D-C): the
// link number of a closure no longer names its road, so the rebuild by the real engine keeps the
// closure in a copy and says why (the repair leaves the old links' files to compare against).
TEST_F(ClosedRoutes, TheRebuildAfterThePseudoNodeRepairSaysTheRoadLayerChanged) {
  using testing::A;
  using testing::B;
  build();
  const auto close_link = command("Corvane.CloseLink");
  ASSERT_TRUE(select(close_link));
  click(close_link, along(A, B, 0.4));
  user_->answers = {forms::Answer::No, forms::Answer::Yes}; // no join column; the add-in joins
  on_form("Back", [](forms::IForm& shown) { testing::perform(shown, "Continue", Gesture::Click); });
  on_form("LinkLimit", [](forms::IForm& shown) {
    testing::perform(shown, "Text1", Gesture::Set, "0");
    testing::perform(shown, "Text1", Gesture::Hover);
    testing::perform(shown, "CmdOk", Gesture::Click);
  });
  ASSERT_EQ(command("Corvane.PseudoNodes")->OnClick(), com::S_OK);
  EXPECT_FALSE(std::filesystem::exists(path("attribute.bin")));
  EXPECT_TRUE(std::filesystem::exists(path("node.bin"))) << "only one file goes";
  const auto old_ini = read_file(ini());
  take_messages();
  ASSERT_EQ(create_->OnClick(), com::S_OK);
  EXPECT_EQ(take_messages(),
            (std::vector<std::string>{
                "Network created successfully",
                ini() +
                    ": 1 closed road was not carried over: the road layer changed since the "
                    "network was built. The old file is kept as " +
                    ini() + ".bak."}));
  EXPECT_EQ(shared_state().gClosedLinkCount, 0);
  EXPECT_EQ(read_file(ini() + ".bak"), old_ini);
}

} // namespace
} // namespace corvane
