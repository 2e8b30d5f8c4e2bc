#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "dialogs/maintenance/frm_alias.h"
#include "dialogs/network/frm_set_speed.h"
#include "maintenance_fixture.h"
#include "module_command.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;
using testing::A;
using testing::C;

// Speeds of the drawn network's two road classes, rows 0 (class 1) and 1 (class 2).
class ClassSpeeds : public testing::MaintenanceTest {
protected:
  void SetUp() override {
    MaintenanceTest::SetUp();
    build();
    speed_set_ = command("Corvane.SpeedSet");
  }

  // Opens the dialog with the command and works it with `act`.
  void work(std::function<void(FrmSetSpeed&)> act) {
    on_form("FrmSetSpeed", [act](forms::IForm& shown) { act(dynamic_cast<FrmSetSpeed&>(shown)); });
    ASSERT_EQ(speed_set_->OnClick(), com::S_OK);
  }
  // Enters a speed for list row `row` in a unit ("optkm" or "optmile") and presses UPDATE.
  static void enter(FrmSetSpeed& dialog, int row, const std::string& option,
                    const std::string& text) {
    testing::perform(dialog, "List1", Gesture::Select, "#" + std::to_string(row));
    testing::perform(dialog, option, Gesture::Click);
    testing::perform(dialog, "txtspdval", Gesture::Set, text);
    testing::perform(dialog, "CmdUpdate", Gesture::Click);
  }
  std::string speed_file_text() const {
    std::ifstream file(SpeedClassFile(path()), std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  std::string stored_mph(std::int32_t class_value) const {
    return settings::read(SpeedClassFile(path()), settings::SpeedValues,
                          settings::class_speed_key(class_value));
  }

  com::ComPtr<host::ICommand> speed_set_;
};

TEST_F(ClassSpeeds, UpdateTakesTheTypedNumberAndNeverGoesBelowOneMph) {
  const auto kmph_of_mph = [](double mph) { return static_cast<float>(mph * (100 / 62.1372)); };
  const auto mph_of_kmph = [](double kmph) { return static_cast<float>(kmph * 0.621372); };
  const struct {
    const char* option;
    const char* text;
    float kmph;
    float mph;
    bool refused;
    const char* shown;
  } cases[] = {
      {"optkm", "37,5", 37.5, mph_of_kmph(37.5), false, "37,5"},
      {"optkm", " 37.5 ", 37.5, mph_of_kmph(37.5), false, " 37.5 "},
      {"optmile", "24,85488", kmph_of_mph(24.85488), 24.85488f, false, "24,85488"},
      {"optkm", "1.609342", 1.609342f, mph_of_kmph(1.609342), false, "1.609342"},
      {"optkm", "45 km/h", 1.609342f, 1, true, "1.609342"},
      {"optkm", "1,600.5", 1.609342f, 1, true, "1.609342"},
      {"optkm", "1,6", 1.609342f, 1, true, "1.609342"},
      {"optmile", "1", kmph_of_mph(1), 1, false, "1"},
      {"optkm", "1.6093", 1.609342f, 1, true, "1.609342"},
      {"optkm", "abc", 1.609342f, 1, true, "1.609342"},
      {"optmile", "0.5", 1.609342f, 1, true, "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " \"" + c.text + "\"");
    std::string shown;
    work([&](FrmSetSpeed& dialog) {
      enter(dialog, 1, c.option, c.text);
      shown = dialog.txtspdval.Text();
    });
    const auto& row = shared_state().gRoadClassSpeeds[1];
    EXPECT_EQ(row.SpeedKmph, c.kmph);
    EXPECT_EQ(row.SpeedMph, c.mph);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(take_messages(),
              c.refused ? std::vector<std::string>{"Invalid data"} : std::vector<std::string>{});
  }
  EXPECT_EQ(stored_mph(2), "1") << "the frame closed the dialog without saving";
}

TEST_F(ClassSpeeds, TheUnitOptionsOnlyChangeWhatIsShown) {
  shared_state().gRoadClassSpeeds[0].SpeedKmph = 30;
  shared_state().gRoadClassSpeeds[0].SpeedMph = 18.64116f;
  const auto file = speed_file_text();
  std::vector<std::string> shown;
  work([&](FrmSetSpeed& dialog) {
    EXPECT_EQ(dialog.List1.ListIndex(), 0);
    EXPECT_TRUE(dialog.optkm.Value()) << "the engine's distance unit";
    shown.push_back(dialog.txtspdval.Text());
    testing::perform(dialog, "optmile", Gesture::Click);
    shown.push_back(dialog.txtspdval.Text());
    testing::perform(dialog, "optkm", Gesture::Click);
    shown.push_back(dialog.txtspdval.Text());
  });
  EXPECT_EQ(shown, (std::vector<std::string>{"30", "18.64116", "30"}));
  EXPECT_EQ(speed_file_text(), file);
}

TEST_F(ClassSpeeds, OkAndCancelBothSaveTheMphSpeedOfEveryClass) {
  for (const std::string button : {"CmdOk", "Command1"}) {
    SCOPED_TRACE(button);
    work([&](FrmSetSpeed& dialog) {
      enter(dialog, 0, "optkm", button == "CmdOk" ? "30" : "60");
      testing::perform(dialog, "List1", Gesture::Select, "#1");
      testing::perform(dialog, "txtspdval", Gesture::Set, "90");
      testing::perform(dialog, button, Gesture::Click);
      EXPECT_FALSE(dialog.Showing());
    });
    EXPECT_EQ(stored_mph(1), button == "CmdOk" ? "18.64116" : "37.28232");
    EXPECT_EQ(stored_mph(2), "55.92348") << "the last entry is updated before saving";
  }
  EXPECT_EQ(speed_file_text().find("kmph"), std::string::npos);
}

TEST_F(ClassSpeeds, SavingNeverWritesClassesBeyondTheTable) {
  settings::write(SpeedClassFile(path()), settings::SpeedValues, settings::TotalCategories, " 40");
  work([](FrmSetSpeed& dialog) { testing::perform(dialog, "CmdOk", Gesture::Click); });
  EXPECT_EQ(stored_mph(0), settings::Missing);
  EXPECT_EQ(stored_mph(2), "1");
}

// A class count edited by hand below the table, or into something that is no count, is never read
// as the number it begins with: every row of the table is saved with the speeds just set.
TEST_F(ClassSpeeds, SavingUnderACountThatIsNoCountKeepsEveryNewSpeed) {
  for (const std::string count : {"1", "0", "fast", "1,5", "1.5", "-1", ""}) {
    SCOPED_TRACE("TOTAL CATEGORIES=" + count);
    settings::write(SpeedClassFile(path()), settings::SpeedValues, settings::TotalCategories,
                    count);
    work([](FrmSetSpeed& dialog) {
      enter(dialog, 0, "optmile", "20");
      enter(dialog, 1, "optmile", "45");
      testing::perform(dialog, "CmdOk", Gesture::Click);
    });
    EXPECT_EQ(stored_mph(1), "20");
    EXPECT_EQ(stored_mph(2), "45");
  }
}

TEST_F(ClassSpeeds, EditRenamesTheSelectedClassAndKeepsItSelected) {
  std::vector<std::string> prefilled;
  on_form("FrmAlias", [&](forms::IForm& shown) {
    auto& alias = dynamic_cast<FrmAlias&>(shown);
    prefilled.push_back(alias.Text1.Text());
    testing::perform(alias, "Text1", Gesture::Set, prefilled.size() == 1 ? "  Motorway " : "  ");
    testing::perform(alias, "CmdOk", Gesture::Click);
  });
  std::vector<int> selected;
  std::vector<std::string> items;
  work([&](FrmSetSpeed& dialog) {
    testing::perform(dialog, "List1", Gesture::Select, "#1");
    testing::perform(dialog, "CmdEdit", Gesture::Click);
    selected.push_back(dialog.List1.ListIndex());
    items.push_back(dialog.List1.List(1));
    // An empty name is refused; the dialog closed by its frame keeps the name.
    testing::perform(dialog, "CmdEdit", Gesture::Click);
    selected.push_back(dialog.List1.ListIndex());
    items.push_back(dialog.List1.List(1));
  });
  EXPECT_EQ(prefilled, (std::vector<std::string>{"Speed 2", "Motorway"}));
  EXPECT_EQ(selected, (std::vector<int>{1, 1}));
  EXPECT_EQ(items, (std::vector<std::string>{"Motorway", "Motorway"}));
  EXPECT_EQ(shared_state().gRoadClassSpeeds[1].Alias, "Motorway");
  EXPECT_EQ(
      settings::read(SpeedClassFile(path()), settings::SpeedValues, settings::class_alias_key(2)),
      "Motorway");
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Invalid data"});
}

TEST_F(ClassSpeeds, RefusedWithoutRoadClasses) {
  shared_state().gRoadClassCount = 0;
  user_->shown.clear();
  ASSERT_EQ(speed_set_->OnClick(), com::S_OK);
  EXPECT_EQ(take_messages(), std::vector<std::string>{"Attribute field not found"});
  EXPECT_TRUE(user_->shown.empty());
}

TEST_F(ClassSpeeds, ClassSpeedsDecideTheFastestRoute) {
  shared_state().gRouteType = RouteFastest;
  work([](FrmSetSpeed& dialog) {
    enter(dialog, 0, "optkm", "30");
    enter(dialog, 1, "optkm", "90");
    testing::perform(dialog, "CmdOk", Gesture::Click);
  });
  EXPECT_FLOAT_EQ(route_cost(A, C), 2 * std::sqrt(2.0f) / 90 * 60);
  work([](FrmSetSpeed& dialog) {
    enter(dialog, 1, "optkm", "20");
    testing::perform(dialog, "CmdOk", Gesture::Click);
  });
  EXPECT_FLOAT_EQ(route_cost(A, C), 4.0f) << "minutes straight on at 30 km/h";
}

} // namespace
} // namespace corvane
