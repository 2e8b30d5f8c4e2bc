#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dialogs/maintenance/frm_dyna_road_sp.h"
#include "host/layer.h"
#include "maintenance_fixture.h"
#include "module_command.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;
using testing::A;
using testing::B;
using testing::C;
using testing::D;
using testing::XY;

class TempSpeeds : public testing::MaintenanceTest {
protected:
  void SetUp() override {
    MaintenanceTest::SetUp();
    build();
    set_speed_ = command("Corvane.SetDynSpeed");
    set_default_ = command("Corvane.SetDef");
    ASSERT_TRUE(select(set_speed_));
  }

  // Clicks the link under `at` with the set-speed tool and enters `text` in the unit of
  // `option` ("optKmph" or "optMph"); a refused entry leaves the dialog to be closed by its frame.
  void set_speed(XY at, const std::string& option, const std::string& text) {
    on_form("FrmDynaRoadSP", [option, text](forms::IForm& shown) {
      testing::perform(shown, option, Gesture::Click);
      testing::perform(shown, "Text1", Gesture::Set, text);
      testing::perform(shown, "CmdUpdate", Gesture::Click);
    });
    click(set_speed_, at);
  }
  // Chooses in the default-speed tool's dialog.
  void choose(const std::string& button) {
    on_form("FrmDefRoadSp",
            [button](forms::IForm& shown) { testing::perform(shown, button, Gesture::Click); });
    ASSERT_TRUE(select(set_default_));
  }

  std::vector<TempSpeedRow> rows() const {
    const auto& state = shared_state();
    std::vector<TempSpeedRow> found;
    for (std::int32_t row = 1; row <= state.gTempSpeedCount; ++row)
      found.push_back(state.gTempSpeeds[row]);
    return found;
  }
  std::string value(std::string_view key) const {
    return ini_value(settings::TemporarySpeeds, key);
  }

  com::ComPtr<host::ICommand> set_speed_;
  com::ComPtr<host::ICommand> set_default_;
};

TEST_F(TempSpeeds, ThirtyKmphGivesTheLinkARowKeysAFlagAndAStamp) {
  settings::write(ini(), settings::Info, settings::Edited, "before");
  set_speed(along(A, D, 0.4), "optKmph", "30");
  ASSERT_EQ(rows().size(), 1u);
  EXPECT_EQ(rows()[0].Link, 3);
  EXPECT_EQ(rows()[0].SpeedKmph, 30);
  EXPECT_EQ(value(settings::Total), "1");
  EXPECT_EQ(value(settings::link_row_key(1)), "3");
  EXPECT_EQ(value(settings::temp_speed_mph_key(1)), "18.64116");
  EXPECT_EQ(value(settings::temp_speed_kmph_key(1)), "30");
  EXPECT_TRUE(testing::same_points(markers(), {along(A, D, 0.7)}));
  EXPECT_NE(ini_value(settings::Info, settings::Edited), "before");
  EXPECT_EQ(shared_state().gTempSpeedEditState, 1);
  EXPECT_TRUE(roads_.as<host::HostFeatureSelection>()->SelectedIds().empty());
}

TEST_F(TempSpeeds, AnEntryInMphKeepsBothSpeeds) {
  set_speed(along(A, B, 0.5), "optMph", "30");
  EXPECT_EQ(value(settings::temp_speed_kmph_key(1)), "48.2802572372106");
  EXPECT_EQ(value(settings::temp_speed_mph_key(1)), "30");
}

TEST_F(TempSpeeds, TheDialogAcceptsOnlyTypedNumbersOfAtLeastOneMph) {
  const double kmph_of_one_mph = 1 * (100 / 62.1372);
  const struct {
    const char* option;
    const char* text;
    const char* refusal; // the message, or "" when accepted
    const char* shown;   // the entry afterwards, for a refusal
    double kmph;         // the link's km/h speed, when accepted
  } cases[] = {
      {"optKmph", "1.6093", "", "", 1.6093},
      {"optKmph", " 12.5e0 ", "", "", 12.5},
      {"optKmph", "7,5", "", "", 7.5},
      {"optMph", "1", "", "", kmph_of_one_mph},
      {"optKmph", "1.6", "Value cannot be less than 1 mph i.e. 1.6093 kmph. Setting to 1.6093 kmph",
       "1.6093", 0},
      {"optKmph", "1,5", "Value cannot be less than 1 mph i.e. 1.6093 kmph. Setting to 1.6093 kmph",
       "1.6093", 0},
      {"optMph", "0.9", "Value cannot be less than 1 mph. Setting to 1 mph", "1", 0},
      {"optKmph", "", "Enter a valid speed value", "", 0},
      {"optKmph", "12 km", "Enter a valid speed value", "12 km", 0},
      {"optKmph", "1,500.5", "Enter a valid speed value", "1,500.5", 0},
      {"optKmph", "&H10", "Enter a valid speed value", "&H10", 0},
      {"optKmph", "1e400", "Enter a valid speed value", "1e400", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.option) + " \"" + c.text + "\"");
    std::string entry_after;
    bool stayed_open = false;
    on_form("FrmDynaRoadSP", [&](forms::IForm& shown) {
      testing::perform(shown, c.option, Gesture::Click);
      testing::perform(shown, "Text1", Gesture::Set, c.text);
      testing::perform(shown, "CmdUpdate", Gesture::Click);
      stayed_open = shown.Showing();
      if (stayed_open)
        entry_after = dynamic_cast<FrmDynaRoadSP&>(shown).Text1.Text();
    });
    take_messages();
    click(set_speed_, along(A, B, 0.5));
    const auto said = take_messages();
    if (std::string(c.refusal).empty()) {
      EXPECT_FALSE(stayed_open);
      EXPECT_TRUE(said.empty());
      ASSERT_EQ(shared_state().gTempSpeedCount, 1);
      EXPECT_DOUBLE_EQ(rows().at(0).SpeedKmph, c.kmph);
    } else {
      EXPECT_TRUE(stayed_open);
      EXPECT_EQ(said, std::vector<std::string>{c.refusal});
      EXPECT_EQ(entry_after, c.shown);
    }
  }
  EXPECT_DOUBLE_EQ(rows().at(0).SpeedKmph, kmph_of_one_mph) << "the last accepted entry";
}

TEST_F(TempSpeeds, TheMinimumInKmphIsAcceptedAsItsMph) {
  set_speed(along(A, B, 0.5), "optKmph", "1.6093");
  EXPECT_EQ(value(settings::temp_speed_mph_key(1)), ".9999739596");
}

TEST_F(TempSpeeds, ANewSpeedForALinkChangesItsRowInPlace) {
  set_speed(along(A, B, 0.5), "optKmph", "30");
  set_speed(along(A, D, 0.5), "optKmph", "40");
  set_speed(along(A, B, 0.5), "optKmph", "50");
  ASSERT_EQ(rows().size(), 2u);
  EXPECT_EQ(rows()[0].Link, 1);
  EXPECT_EQ(rows()[0].SpeedKmph, 50);
  EXPECT_EQ(rows()[1].Link, 3);
  EXPECT_EQ(shared_state().gTempSpeedEditState, 2);
  EXPECT_EQ(value(settings::temp_speed_kmph_key(1)), "50");
  EXPECT_EQ(markers().size(), 2u);
}

TEST_F(TempSpeeds, CancelOrTheFrameChangesNothingButTheSelection) {
  set_speed(along(A, B, 0.5), "optKmph", "30");
  const auto file = ini_text();
  for (const bool by_frame : {false, true}) {
    on_form("FrmDynaRoadSP", [by_frame](forms::IForm& shown) {
      testing::perform(shown, "Text1", Gesture::Set, "70");
      if (!by_frame)
        testing::perform(shown, "CmdCancel", Gesture::Click);
    });
    click(set_speed_, along(B, C, 0.5));
    EXPECT_EQ(rows().size(), 1u);
    EXPECT_EQ(ini_text(), file);
    EXPECT_EQ(markers().size(), 1u);
    EXPECT_TRUE(roads_.as<host::HostFeatureSelection>()->SelectedIds().empty());
  }
}

TEST_F(TempSpeeds, AFullTableIsRefusedBeforeTheDialogIsShown) {
  auto& state = shared_state();
  for (std::int32_t row = 1; row <= 300; ++row)
    state.gTempSpeeds[row] = {.Link = 1000.0 + row, .SpeedKmph = 30, .SpeedMph = 18.64116};
  state.gTempSpeeds[300].Link = 2; // link B-C has a row: it can still change
  state.gTempSpeedCount = 300;
  user_->shown.clear();
  set_speed(along(A, B, 0.5), "optKmph", "30");
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{"At most 300 roads can have a temporary speed at a time"});
  EXPECT_TRUE(user_->shown.empty());
  set_speed(along(B, C, 0.5), "optKmph", "45");
  EXPECT_EQ(state.gTempSpeeds[300].SpeedKmph, 45);
  EXPECT_EQ(state.gTempSpeedCount, 300);
}

TEST_F(TempSpeeds, AllRemovesEverySpeedWithItsFlagAndStamps) {
  set_speed(along(A, B, 0.5), "optKmph", "30");
  set_speed(along(B, C, 0.5), "optKmph", "40");
  set_speed(along(A, D, 0.5), "optKmph", "50");
  settings::write(ini(), settings::Info, settings::Edited, "before");
  choose("CmdAll");
  EXPECT_TRUE(rows().empty());
  EXPECT_TRUE(markers().empty());
  EXPECT_EQ(value(settings::Total), "0");
  EXPECT_EQ(value(settings::link_row_key(1)), settings::Missing);
  EXPECT_FALSE(enabled(set_default_));
  EXPECT_NE(ini_value(settings::Info, settings::Edited), "before");
}

TEST_F(TempSpeeds, SelectRemovesTheClickedLinksSpeedAndRenumbersTheRows) {
  set_speed(along(A, B, 0.5), "optKmph", "30");
  set_speed(along(B, C, 0.5), "optKmph", "40");
  set_speed(along(A, D, 0.5), "optKmph", "50");
  choose("CmdSelect");
  EXPECT_EQ(take_messages(),
            std::vector<std::string>{"Click on the road to set the default speed"});
  click(set_default_, along(A, B, 0.5));
  ASSERT_EQ(rows().size(), 2u);
  EXPECT_EQ(value(settings::Total), "2");
  EXPECT_EQ(value(settings::link_row_key(1)), "2");
  EXPECT_EQ(value(settings::temp_speed_kmph_key(1)), "40");
  EXPECT_EQ(value(settings::link_row_key(2)), "3");
  EXPECT_EQ(value(settings::temp_speed_kmph_key(2)), "50");
  EXPECT_EQ(value(settings::link_row_key(3)), settings::Missing);
  EXPECT_TRUE(testing::same_points(markers(), {along(B, C, 0.7), along(A, D, 0.7)}));

  // A link without a temporary speed changes nothing.
  click(set_default_, along(D, C, 0.5));
  EXPECT_EQ(rows().size(), 2u);
  EXPECT_EQ(value(settings::temp_speed_kmph_key(2)), "50");
}

TEST_F(TempSpeeds, TheToolWithoutSpeedsSaysSo) {
  EXPECT_FALSE(enabled(set_default_));
  ASSERT_TRUE(select(set_default_));
  EXPECT_EQ(take_messages(), std::vector<std::string>{"No features found with TEMPORARY Speed"});
}

TEST_F(TempSpeeds, ATemporarySpeedChangesTheFastestRouteUntilItIsRemoved) {
  auto& state = shared_state();
  state.gRouteType = RouteFastest;
  state.gRoadClassSpeeds[0] = {
      .SpeedKmph = 30, .SpeedMph = 18.64116f, .ClassValue = 1, .Alias = "Town"};
  state.gRoadClassSpeeds[1] = {
      .SpeedKmph = 90, .SpeedMph = 55.92348f, .ClassValue = 2, .Alias = "Motorway"};
  const float around = 2 * std::sqrt(2.0f) / 90 * 60;
  EXPECT_FLOAT_EQ(route_cost(A, C), around);
  set_speed(along(A, D, 0.5), "optKmph", "10");
  EXPECT_FLOAT_EQ(route_cost(A, C), 4.0f) << "minutes straight on at 30 km/h";
  choose("CmdSelect");
  click(set_default_, along(A, D, 0.5));
  EXPECT_FLOAT_EQ(route_cost(A, C), around);
}

} // namespace
} // namespace corvane
