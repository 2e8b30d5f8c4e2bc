#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/network/frm_isochrone.h"
#include "host/geometry.h"
#include "isochrone_fixture.h"
#include "isochrones/isochrone.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "win/num_text.h"

namespace corvane {
namespace {

using Script = std::function<void(FrmIsochrone&)>;

class IsochroneOptions : public testing::IsochroneTest {
protected:
  void SetUp() override {
    IsochroneTest::SetUp();
    build_network({{{{0, 0}, {1000, 0}}, "Row"}});
    command_ = com::make<Isochrone>();
    create(*command_);
  }
  void TearDown() override {
    gFrmIsochroneForm().Unload();
    command_ = nullptr;
    IsochroneTest::TearDown();
  }
  // Opens the dialog through the command and acts in it as `script` says.
  void open_dialog(const Script& script) {
    user_->expect<FrmIsochrone>("FrmIsochrone", script);
    ASSERT_EQ(command_->OnClick(), com::S_OK);
  }
  // The [ISOCHRONE] section of "Corvane.ini" as it stands in the file.
  std::string zone_section() {
    const std::string text = settings_text();
    const auto start = text.find("[ISOCHRONE]");
    if (start == std::string::npos)
      return "";
    const auto end = text.find("\n[", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
  }
  static std::vector<std::string> rows(FrmIsochrone& dialog) {
    std::vector<std::string> all;
    for (int i = 0; i < dialog.List1.ListCount(); ++i)
      all.push_back(dialog.List1.List(i));
    return all;
  }
  static void enter_limit(FrmIsochrone& dialog, int row, const std::string& text) {
    dialog.List1.SetListIndex(row);
    dialog.Text1.SetText(text);
    dialog.CmdUpdate.Click();
  }
  com::ComPtr<Isochrone> command_;
};

TEST_F(IsochroneOptions, ZonesRoundTripThroughTheSettingsFile) {
  zones({});
  open_dialog([](FrmIsochrone& dialog) {
    EXPECT_TRUE(rows(dialog).empty());
    dialog.CmdAdd.Click();
    enter_limit(dialog, 0, "5");
    dialog.CmdAdd.Click();
    // Enter in the limit box stores it too; a decimal comma is the point.
    dialog.List1.SetListIndex(1);
    dialog.Text1.SetText("7,5");
    EXPECT_EQ(dialog.Perform("Text1", {.gesture = forms::Gesture::Key, .value = "13"}), "");
    dialog.CmdOk.Click();
  });
  EXPECT_EQ(zone_section(), "[ISOCHRONE]\r\nZone  1= 5\r\nZone  2= 7.5\r\nTotal Zones= 2\r\n");
  const auto& state = shared_state();
  EXPECT_EQ(state.gZoneCount, 2);
  EXPECT_FLOAT_EQ(state.gZoneMax, 7.5F);

  open_dialog([](FrmIsochrone& dialog) {
    EXPECT_EQ(rows(dialog), (std::vector<std::string>{"Zone 1", "Zone 2"}));
    EXPECT_EQ(dialog.List1.ListIndex(), 0);
    EXPECT_EQ(dialog.Text1.Text(), "5");
    dialog.CmdCancel.Click();
  });
}

TEST_F(IsochroneOptions, EditsAsATable) {
  struct Case {
    const char* what;
    std::vector<float> saved; // the zones in the file when the dialog opens
    Script act;
    std::vector<std::string> rows; // left in the list (the dialog still open)
    std::vector<float> values;     // gZoneValues 1 .. afterwards
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases = {
      {"deleting the second of three relabels and moves the limits up",
       {5, 10, 15},
       [](FrmIsochrone& d) {
         d.List1.SetListIndex(1);
         d.CmdDelete.Click();
         EXPECT_EQ(d.List1.ListIndex(), -1);
         EXPECT_EQ(d.Text1.Text(), "");
       },
       {"Zone1", "Zone2"},
       {5, 15, 15},
       {}},
      {"deleting with nothing selected",
       {},
       [](FrmIsochrone& d) { d.CmdDelete.Click(); },
       {},
       {},
       {"Select Zone: No selection found"}},
      {"a negative limit is refused",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, "-5"); },
       {"Zone 1"},
       {5},
       {"Error: Enter positive value"}},
      {"a limit beyond single precision is refused",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, "1e39"); },
       {"Zone 1"},
       {5},
       {"Error: Enter a value below 3.4E+38"}},
      {"a decimal comma is the point",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, "0,5"); },
       {"Zone 1"},
       {0.5},
       {}},
      {"a decimal point, blanks around",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, " 0.5 "); },
       {"Zone 1"},
       {0.5},
       {}},
      {"zero is a limit",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, "0"); },
       {"Zone 1"},
       {0},
       {}},
      {"letters are refused",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, "abc"); },
       {"Zone 1"},
       {5},
       {"Error: Enter positive value"}},
      {"a number with more after it is refused",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, "7.5 min"); },
       {"Zone 1"},
       {5},
       {"Error: Enter positive value"}},
      {"digits grouped by a comma are refused",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, "1,000.5"); },
       {"Zone 1"},
       {5},
       {"Error: Enter positive value"}},
      {"an empty entry is refused",
       {5},
       [](FrmIsochrone& d) { enter_limit(d, 0, ""); },
       {"Zone 1"},
       {5},
       {"Error: Enter positive value"}},
      {"adding appends a zone at 0 without moving the selection",
       {5},
       [](FrmIsochrone& d) {
         d.CmdAdd.Click();
         EXPECT_EQ(d.List1.ListIndex(), 0);
       },
       {"Zone 1", "Zone 2"},
       {5, 0},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    user_->messages.clear();
    zones(c.saved);
    ASSERT_TRUE(settings::write_zones(NetworkIniFile(path()), c.saved));
    std::vector<std::string> left;
    open_dialog([&](FrmIsochrone& dialog) {
      c.act(dialog);
      left = rows(dialog);
      dialog.CmdCancel.Click();
    });
    EXPECT_EQ(left, c.rows);
    const auto& state = shared_state();
    for (std::size_t i = 0; i < c.values.size(); ++i)
      EXPECT_FLOAT_EQ(state.gZoneValues[static_cast<std::int32_t>(i + 1)], c.values[i]) << i;
    EXPECT_EQ(messages(), c.messages);
  }
}

// The polygon tools draw a bounded number of zones: a full list takes no further row until one
// is deleted.
TEST_F(IsochroneOptions, AFullZoneListTakesNoFurtherZone) {
  // Written as one section at the end of the file (a write per key would take seconds).
  const std::string ini = NetworkIniFile(path());
  ASSERT_TRUE(settings::delete_section(ini, settings::Isochrone));
  {
    std::ofstream file(ini, std::ios::binary | std::ios::app);
    file << "[ISOCHRONE]\r\n";
    for (std::int32_t zone = 1; zone <= settings::MaxZoneCount; ++zone)
      file << "Zone " << win::NumText(zone) << "=" << win::NumText(zone) << "\r\n";
    file << "Total Zones=" << win::NumText(settings::MaxZoneCount) << "\r\n";
  }
  int refused = 0, after_delete = 0;
  open_dialog([&](FrmIsochrone& dialog) {
    dialog.CmdAdd.Click();
    refused = dialog.List1.ListCount();
    dialog.List1.SetListIndex(0);
    dialog.CmdDelete.Click();
    dialog.CmdAdd.Click();
    after_delete = dialog.List1.ListCount();
    dialog.CmdCancel.Click();
  });
  EXPECT_EQ(refused, settings::MaxZoneCount);
  EXPECT_EQ(after_delete, settings::MaxZoneCount);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Too many zones: The zone list holds at most " +
                                                  std::to_string(settings::MaxZoneCount) +
                                                  " zones, the most the polygon tools can draw"}));
}

TEST_F(IsochroneOptions, OkChecksTheOrderAndStoresOnlyWhenItPasses) {
  auto& state = shared_state();
  ASSERT_TRUE(settings::write_zones(NetworkIniFile(path()), {5, 10}));
  const std::string before = zone_section();
  bool still_open = false;
  open_dialog([&](FrmIsochrone& dialog) {
    enter_limit(dialog, 0, "20");
    dialog.CmdOk.Click();
    still_open = dialog.Visible();
  });
  EXPECT_TRUE(still_open);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Info: Enter zone values in ascending order for better result"}));
  EXPECT_EQ(zone_section(), before);
  EXPECT_EQ(state.gZoneCount, 2);

  // A file whose zones are out of order is listed in order, and says so; OK saves that order.
  ASSERT_TRUE(settings::write_zones(NetworkIniFile(path()), {10, 5}));
  open_dialog([](FrmIsochrone& dialog) { dialog.CmdOk.Click(); });
  EXPECT_EQ(messages().back(), "Network Settings: " + NetworkIniFile(path()) +
                                   ": [ISOCHRONE] \"Zone  2\" gives \"5\", below the \"10\" of "
                                   "\"Zone  1\"; the zones are put in ascending order.");
  EXPECT_EQ(zone_section(), before);

  // Equal neighbours pass; a new maximum is the cut-off.
  ASSERT_TRUE(settings::write_zones(NetworkIniFile(path()), {5, 5, 10}));
  open_dialog([](FrmIsochrone& dialog) { dialog.CmdOk.Click(); });
  EXPECT_FLOAT_EQ(state.gZoneMax, 10);

  // An emptied list leaves no zones and no cut-off.
  open_dialog([](FrmIsochrone& dialog) {
    for (int i = 0; i < 3; ++i) {
      dialog.List1.SetListIndex(0);
      dialog.CmdDelete.Click();
    }
    dialog.CmdOk.Click();
  });
  EXPECT_EQ(zone_section(), "[ISOCHRONE]\r\nTotal Zones= 0\r\n");
  EXPECT_EQ(state.gZoneCount, 0);
  EXPECT_FLOAT_EQ(state.gZoneMax, 0);
}

// A settings file that cannot be replaced is named; the dialog stays open and the file as it was.
TEST_F(IsochroneOptions, OkOnAnUnwritableSettingsFileSaysSoAndStaysOpen) {
  const std::string ini = NetworkIniFile(path());
  ASSERT_TRUE(settings::write_zones(ini, {5, 10}));
  const std::string before = settings_text();
  std::filesystem::permissions(ini, std::filesystem::perms::owner_read);
  bool still_open = false;
  open_dialog([&](FrmIsochrone& dialog) {
    enter_limit(dialog, 1, "12");
    dialog.CmdOk.Click();
    still_open = dialog.Visible();
  });
  std::filesystem::permissions(ini, std::filesystem::perms::owner_all);
  EXPECT_TRUE(still_open);
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Error: " + ini +
                            " could not be written: it is read-only. The change is not saved."}));
  EXPECT_EQ(settings_text(), before);
}

TEST_F(IsochroneOptions, CancelKeepsWhatTookEffectAtOnce) {
  auto& state = shared_state();
  ASSERT_TRUE(settings::write_zones(NetworkIniFile(path()), {5, 10}));
  state.gAllowOverlap = Overlap::Allowed;
  open_dialog([](FrmIsochrone& dialog) {
    EXPECT_EQ(dialog.OverlapOpt.Value(), 1);
    dialog.OverlapOpt.SetValue(0);
    enter_limit(dialog, 1, "12");
    dialog.CmdCancel.Click();
  });
  EXPECT_EQ(state.gAllowOverlap, Overlap::None);
  EXPECT_FLOAT_EQ(state.gZoneValues[2], 12);
  EXPECT_FLOAT_EQ(state.gZoneMax, 10);
  open_dialog([](FrmIsochrone& dialog) {
    dialog.List1.SetListIndex(1);
    EXPECT_EQ(dialog.Text1.Text(), "10");
  });
}

TEST_F(IsochroneOptions, OffersThePolygonLayersOfTheMapForClipping) {
  const std::vector<host::Path> square{{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}}};
  add_layer(shapefile("parks", host::geometry_polygon, square), "Parks");
  add_layer(shapefile("IsoPoly", host::geometry_polygon, square), "Old zones");
  add_layer(shapefile("isopoly", host::geometry_polygon, square, "other"), "Lakes");
  add_layer(shapefile("stops", host::geometry_point, {{{1, 1}}}), "Stops");
  add_layer(shapefile("BatchIsochrone", host::geometry_polygon, square), "Batch");
  add_layer(shapefile("towns", host::geometry_polygon, square), "Towns");
  auto& state = shared_state();

  // Map order is top first: Towns, Lakes (another case of an own output's name), Parks.
  const std::vector<std::string> offered{"Towns", "Lakes", "Parks"};
  for (const auto& [wanted, shown] : std::vector<std::pair<std::string, std::string>>{
           {"Lakes", "Lakes"}, {"Gone", "Towns"}, {"", "Towns"}}) {
    SCOPED_TRACE(wanted);
    state.gClipLayerName = wanted;
    open_dialog([&](FrmIsochrone& dialog) {
      std::vector<std::string> listed;
      for (int i = 0; i < dialog.ClipCombo.ListCount(); ++i)
        listed.push_back(dialog.ClipCombo.List(i));
      EXPECT_EQ(listed, offered);
      EXPECT_EQ(dialog.ClipCombo.Text(), shown);
      dialog.CmdCancel.Click();
    });
  }

  // Picking a layer while clipping is ticked clips to it at once.
  open_dialog([](FrmIsochrone& dialog) {
    dialog.ClipPoly.SetValue(1);
    dialog.ClipCombo.SetListIndex(2);
    dialog.CmdCancel.Click();
  });
  EXPECT_EQ(state.gClipLayerName, "Parks");
  EXPECT_EQ(state.gClipMode, ClipMode::ToLayer);

  // OK stores the polygon options.
  open_dialog([](FrmIsochrone& dialog) {
    EXPECT_EQ(dialog.ClipPoly.Value(), 1);
    dialog.Check1.SetValue(1);
    dialog.ClipCombo.SetText("Typed");
    dialog.CmdOk.Click();
  });
  EXPECT_TRUE(state.gDoughnut);
  EXPECT_EQ(state.gClipLayerName, "Typed");
  EXPECT_EQ(state.gClipMode, ClipMode::ToLayer);
}

TEST_F(IsochroneOptions, WithoutPolygonLayersClippingIsOff) {
  auto& state = shared_state();
  state.gClipMode = ClipMode::ToLayer;
  open_dialog([](FrmIsochrone& dialog) {
    EXPECT_FALSE(dialog.ClipCombo.Enabled());
    EXPECT_FALSE(dialog.ClipPoly.Enabled());
    EXPECT_EQ(dialog.ClipPoly.Value(), 0);
    dialog.CmdCancel.Click();
  });
  EXPECT_EQ(state.gClipMode, ClipMode::Off);
}

TEST_F(IsochroneOptions, RefusesInAnEditSession) {
  shared_state().gEditSessionActive = true;
  ASSERT_EQ(command_->OnClick(), com::S_OK);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Edit Mode: Session in edit mode"}));
  EXPECT_EQ(user_->seen.size(), 1U);
}

} // namespace
} // namespace corvane
