#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "map/document.h"
#include "map/layers.h"
#include "map/map_classes.h"
#include "map/progress.h"
#include "map/symbols.h"
#include "map/table_window.h"
#include "map/user_services.h"
#include "temp_folder.h"

namespace host {
namespace {

// Records what the user would see and presses Esc when told to.
class RecordingUser : public HostUserSink {
public:
  RecordingUser() { set_user_sink(this); }
  ~RecordingUser() override { set_user_sink(nullptr); }
  void status(const std::string& text) override { seen.push_back("status " + text); }
  void table_window(const std::string& name) override { seen.push_back("table " + name); }
  bool take_escape() override { return escapes > 0 && escapes-- > 0; }

  std::vector<std::string> seen;
  int escapes = 0;
};

TEST(StatusBar, ShowsPaneZeroToTheUser) {
  RecordingUser user;
  auto app = com::make<Application>();
  app->StatusBar()->SetMessage(0, "Total Distance = 5.053474 Kilometers");
  app->StatusBar()->SetMessage(2, "not shown");
  EXPECT_EQ(app->StatusBar()->Message(0), "Total Distance = 5.053474 Kilometers");
  EXPECT_EQ(user.seen, std::vector<std::string>{"status Total Distance = 5.053474 Kilometers"});
}

TEST(CancelTracker, StopsAfterEscUntilReset) {
  RecordingUser user;
  auto tracker = com::make<CancelTracker>();
  EXPECT_TRUE(tracker->Continue());
  user.escapes = 1;
  EXPECT_FALSE(tracker->Continue());
  EXPECT_FALSE(tracker->Continue()) << "stays cancelled";
  tracker->Reset();
  EXPECT_TRUE(tracker->Continue());
  tracker->SetCancelOnKeyPress(false);
  user.escapes = 1;
  EXPECT_TRUE(tracker->Continue()) << "Esc ignored when it does not cancel";
}

TEST(ProgressDialog, KeepsThePositionWithinItsRange) {
  auto factory = com::make<ProgressDialogFactory>();
  auto tracker = com::make<CancelTracker>();
  const auto bar = factory->Create(tracker.get(), 0);
  const auto dialog = bar.as<HostProgressDialog>();
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->CancelEnabled());
  bar->SetMinRange(0);
  bar->SetMaxRange(2);
  bar->SetStepValue(1);
  for (int i = 0; i < 5; ++i)
    bar->Step();
  EXPECT_EQ(bar->Position(), 2);
  bar->SetMaxRange(0);
  EXPECT_EQ(bar->Position(), 0) << "an empty run (no features) does not overflow";
  dialog->HideDialog();
  EXPECT_FALSE(dialog->Visible());
}

TEST(TableWindow, TellsTheUserOnceWhenItOpens) {
  RecordingUser user;
  auto window = com::make<TableWindow>();
  EXPECT_EQ(window->Show(true), com::E_UNEXPECTED) << "nothing to show";
  auto layer = com::make<FeatureLayer>();
  layer->SetName("Route");
  window->SetLayer(layer.get());
  window->SetDisplaySettings(2, 0, true);
  ASSERT_FALSE(window->IsVisible());
  ASSERT_EQ(window->Show(true), com::S_OK);
  ASSERT_EQ(window->Show(true), com::S_OK);
  EXPECT_TRUE(window->IsVisible());
  EXPECT_EQ(user.seen, std::vector<std::string>{"table Route"});
}

TEST(Editor, IsFoundByNameAndTracksItsSession) {
  auto app = com::make<Application>();
  auto uid = create_map_object("ESRICORE.UID").as<HostUid>();
  ASSERT_TRUE(uid) << "ProgIDs ignore letter case";
  uid->SetValue("esricore.Editor");
  const auto editor = app->FindExtensionByCLSID(uid.get()).as<HostEditor>();
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->EditState(), StateNotEditing);
  EXPECT_EQ(editor->StartEditing(), com::S_OK);
  EXPECT_EQ(editor->StartEditing(), com::E_UNEXPECTED);
  EXPECT_NE(editor->EditState(), StateNotEditing);
  EXPECT_EQ(editor->StopEditing(true), com::S_OK);
  EXPECT_FALSE(app->FindExtensionByName("esricore.Network"));
}

TEST(PictureMarkerSymbol, LoadsOnlyAnExistingBitmap) {
  const testing::TempFolder folder{"picture-test"};
  const auto& dir = folder.path();
  const auto bitmap = (dir / "Star.bmp").string();
  std::ofstream(bitmap, std::ios::binary) << "BM" << std::string(60, '\0');
  const auto text = (dir / "notes.bmp").string();
  std::ofstream(text) << "not a picture";

  auto symbol = com::make<PictureMarkerSymbol>();
  EXPECT_EQ(symbol->CreateMarkerSymbolFromFile(1, (dir / "Missing.bmp").string()), com::E_FAIL);
  EXPECT_EQ(symbol->CreateMarkerSymbolFromFile(1, text), com::E_FAIL);
  EXPECT_EQ(symbol->PicturePath(), "");
  EXPECT_EQ(symbol->CreateMarkerSymbolFromFile(1, bitmap), com::S_OK);
  EXPECT_EQ(symbol->PicturePath(), bitmap);
}

TEST(MapClasses, EveryClassCreatesAnObject) {
  for (const auto& c : map_classes())
    EXPECT_TRUE(c.create()) << c.prog_id;
  EXPECT_FALSE(create_map_object("esricore.NoSuchClass"));
}

} // namespace
} // namespace host
