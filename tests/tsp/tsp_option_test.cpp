#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/tsp/frm_tsp.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "tour_network.h"
#include "tsp/tsp_option.h"

namespace corvane {
namespace {

using forms::Gesture;

class TspOptions : public testing::TourTest {
protected:
  std::string ini() const { return NetworkIniFile(path()); }
  void store(std::string_view mode, std::string_view straight) {
    for (const auto& [key, value] :
         {std::pair{settings::TspMode, mode}, std::pair{settings::TspStraightLine, straight}})
      if (!value.empty())
        settings::write(ini(), settings::Info, key, value);
  }
  std::string stored(std::string_view key) const {
    return settings::read(ini(), settings::Info, key);
  }
  // Shows the options and hands the shown dialog to `script`.
  bool show(std::function<void(FrmTsp&)> script) {
    person_->expect<FrmTsp>("FrmTsp", std::move(script));
    return run_command(com::make<TspOption>());
  }
};

struct ShownCase {
  std::string_view mode, straight; // stored values ("" = no key)
  std::string selected;            // the option button shown selected
  int checked;
};

TEST_F(TspOptions, ShowsTheStoredChoice) {
  const std::vector<ShownCase> cases{
      {"", "", "OptOpen", 0},          {" 2", "Yes", "OptSO", 1},
      {" 1", "yes", "OptClose", 0},    {"7", "Yes, straight", "OptOpen", 1},
      {" 0", "No", "OptOpen", 0},      {" 2", "Yes", "OptSO", 1},
      {"Default", "No", "OptOpen", 0}, // after another choice: no number reads as 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mode) + " / " + std::string(c.straight));
    settings::delete_section(ini(), settings::Info);
    store(c.mode, c.straight);
    std::string selected;
    int checked = -1;
    ASSERT_TRUE(show([&](FrmTsp& d) {
      for (auto* button : {&d.OptOpen, &d.OptClose, &d.OptSO})
        if (button->Value())
          selected = button->Name();
      checked = d.Check1.Value();
      testing::act(d, "CmdCancel", Gesture::Click);
    }));
    EXPECT_EQ(selected, c.selected);
    EXPECT_EQ(checked, c.checked);
  }
}

TEST_F(TspOptions, OkStoresTheBaseCodeAndTheStraightLineChoice) {
  store(" 1", "No");
  ASSERT_TRUE(show([](FrmTsp& d) {
    testing::act(d, "OptSO", Gesture::Click);
    testing::act(d, "Check1", Gesture::Check, "1");
    testing::act(d, "CmdOk", Gesture::Click);
  }));
  EXPECT_EQ(shared_state().gTspMode, (TspMode{.kind = TourKind::StartOnly, .straight_line = true}));
  EXPECT_NE(settings_text().find("TSP MODE= 2"), std::string::npos) << "one blank before it";
  EXPECT_EQ(stored(settings::TspStraightLine), "Yes");

  // Cancel keeps both, whatever was changed.
  ASSERT_TRUE(show([](FrmTsp& d) {
    testing::act(d, "OptOpen", Gesture::Click);
    testing::act(d, "Check1", Gesture::Check, "0");
    testing::act(d, "CmdCancel", Gesture::Click);
  }));
  EXPECT_EQ(shared_state().gTspMode, (TspMode{.kind = TourKind::StartOnly, .straight_line = true}));
  EXPECT_EQ(stored(settings::TspMode), "2");
  EXPECT_EQ(stored(settings::TspStraightLine), "Yes");
}

// A settings file that cannot be replaced is named; the dialog stays open and the file as it was.
TEST_F(TspOptions, OkOnAnUnwritableSettingsFileSaysSoAndStaysOpen) {
  store(" 1", "No");
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_read);
  bool still_open = false;
  ASSERT_TRUE(show([&](FrmTsp& d) {
    testing::act(d, "OptSO", Gesture::Click);
    testing::act(d, "CmdOk", Gesture::Click);
    still_open = d.Visible();
  }));
  std::filesystem::permissions(ini(), std::filesystem::perms::owner_all);
  EXPECT_TRUE(still_open);
  EXPECT_EQ(shown(), std::vector<std::string>{
                         "Error: " + ini() +
                         " could not be written: it is read-only. The change is not saved."});
  EXPECT_EQ(stored(settings::TspMode), "1");
}

TEST_F(TspOptions, NeedNoNetworkLayerButRefuseInAnEditSession) {
  ASSERT_EQ(map()->DeleteLayer(map()->Layer(0).get()), com::S_OK);
  ASSERT_TRUE(show([](FrmTsp& d) {
    testing::act(d, "OptClose", Gesture::Click);
    testing::act(d, "CmdOk", Gesture::Click);
  }));
  EXPECT_EQ(shared_state().gTspMode, (TspMode{.kind = TourKind::RoundTrip}));

  shared_state().gEditSessionActive = true;
  EXPECT_TRUE(run_command(com::make<TspOption>()));
  EXPECT_EQ(shown(), std::vector<std::string>{"Edit Mode: Session in edit mode"});
}

} // namespace
} // namespace corvane
