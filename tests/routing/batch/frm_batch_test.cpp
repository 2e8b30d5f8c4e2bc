#include <string>
#include <vector>

#include "batch_fixture.h"
#include "common/point_layer_list.h"
#include "dialogs/routing/frm_batch.h"
#include "network/state/shared_state.h"

namespace corvane::testing {
namespace {

using Items = std::vector<std::string>;

Items items(const forms::ComboBox& box) {
  Items out;
  for (int i = 0; i < box.ListCount(); ++i)
    out.push_back(box.List(i));
  return out;
}

// The dialog as the command shows it: both table boxes filled with the map's point layers.
class FrmBatchTest : public BatchRouteTest {
protected:
  void show(std::function<void(FrmBatch&)> script) {
    auto& dialog = gFrmBatchForm();
    dialog.CmbFtable.Clear();
    dialog.CmbTtable.Clear();
    list_point_layers(*map(), {&dialog.CmbFtable, &dialog.CmbTtable});
    person_->expect<FrmBatch>("FrmBatch", std::move(script));
    dialog.Show(forms::ShowMode::Modal);
  }
};

TEST_F(FrmBatchTest, OffersPointLayersAndStoresTheConfirmedChoice) {
  point_layer("stops", {{"a", A}});
  point_layer("targets", {{"c", C}});
  show([](FrmBatch& dialog) {
    // Both boxes start on the first point layer of the map (the top one), fields filled.
    EXPECT_EQ(items(dialog.CmbFtable), (Items{"targets", "stops"}));
    EXPECT_EQ(dialog.CmbTtable.Text(), "targets");
    EXPECT_EQ(items(dialog.CmbFField), (Items{"OID", "ID", "NAME"}));
    EXPECT_EQ(dialog.CmbToField.Text(), "OID");
    EXPECT_EQ(dialog.Perform("CmbFtable", {forms::Gesture::Select, "stops"}), "");
    EXPECT_EQ(dialog.Perform("CmbFField", {forms::Gesture::Select, "NAME"}), "");
    EXPECT_EQ(dialog.Perform("Check1", {forms::Gesture::Check, "1"}), "");
    EXPECT_EQ(dialog.Perform("CmdOk", {forms::Gesture::Click, ""}), "");
  });
  const auto& state = shared_state();
  EXPECT_EQ(state.gBatchRouteCancelled, 0);
  EXPECT_EQ(state.gBatchRouteFromIndex, 1);
  EXPECT_EQ(state.gBatchRouteFromLayer, "stops");
  EXPECT_EQ(state.gBatchRouteFromField, "NAME");
  EXPECT_EQ(state.gBatchRouteFromFolder, path());
  EXPECT_EQ(state.gBatchRouteToIndex, 0);
  EXPECT_EQ(state.gBatchRouteToLayer, "targets");
  EXPECT_EQ(state.gBatchRouteToField, "FID") << "the feature id labels the points";
  EXPECT_EQ(state.gBatchRouteToFolder, path());
  EXPECT_EQ(state.gBatchRouteBuildObjects, 1);
  EXPECT_EQ(state.gBatchRouteBothWays, 0);
  EXPECT_FALSE(gFrmBatchForm().Visible());
}

TEST_F(FrmBatchTest, AKeyInATableBoxChoosesItsLayerAgain) {
  point_layer("stops", {{"a", A}});
  show([](FrmBatch& dialog) {
    dialog.CmbFField.Clear();
    EXPECT_EQ(dialog.Perform("CmbFtable", {forms::Gesture::Key, "40"}), "");
    EXPECT_EQ(items(dialog.CmbFField), (Items{"OID", "ID", "NAME"}));
    dialog.CmdCancel.Click();
  });
  EXPECT_EQ(shared_state().gBatchRouteCancelled, 1);
}

TEST_F(FrmBatchTest, ALayerNamedOtherwiseThanItsDataGivesNoFieldsAndOkRefuses) {
  const auto features = point_layer("stops", {{"a", A}});
  map()->Layer(0)->SetName("Bus stops");
  show([](FrmBatch& dialog) {
    EXPECT_TRUE(items(dialog.CmbFField).empty());
    EXPECT_EQ(dialog.Perform("CmdOk", {forms::Gesture::Click, ""}), "");
    EXPECT_TRUE(dialog.Visible()) << "OK refused";
    dialog.CmdCancel.Click();
  });
  ASSERT_EQ(person_->messages.size(), 1U);
  EXPECT_EQ(person_->messages[0].text, "No field found for description");
  EXPECT_EQ(person_->messages[0].title, "No Field Found");
  EXPECT_EQ(person_->messages[0].icon, forms::Icon::Critical);
  EXPECT_EQ(shared_state().gBatchRouteCancelled, 1);
}

TEST_F(FrmBatchTest, ClosingByTheFrameIsCancelEvenAfterAnEarlierOk) {
  point_layer("stops", {{"a", A}});
  show([](FrmBatch& dialog) { dialog.CmdOk.Click(); });
  ASSERT_EQ(shared_state().gBatchRouteCancelled, 0);
  show([](FrmBatch&) {});
  EXPECT_EQ(person_->seen.back(), "closed FrmBatch");
  EXPECT_EQ(shared_state().gBatchRouteCancelled, 1);
}

} // namespace
} // namespace corvane::testing
