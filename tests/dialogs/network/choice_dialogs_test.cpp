#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/network/n_load.h"
#include "dialogs/network/polylines.h"
#include "network/state/shared_state.h"
#include "scripted_user.h"

namespace corvane {
namespace {

using forms::Gesture;

struct DialogCase {
  const char* name;
  std::function<ChoiceDialog&()> form;
  std::function<std::int32_t&()> position;
};

const DialogCase dialogs[] = {
    {"Polylines", []() -> ChoiceDialog& { return gPolylinesForm(); },
     []() -> std::int32_t& { return shared_state().gPickedLayerIndex; }},
    {"Polylines1", []() -> ChoiceDialog& { return gPolylines1Form(); },
     []() -> std::int32_t& { return shared_state().gPickedFieldIndex; }},
};

class ChoiceDialogs : public ::testing::Test {
protected:
  void SetUp() override { reset_shared_state(); }
  void TearDown() override { reset_shared_state(); }

  // Fills the dialog as its callers do and shows it modally; `act` is what the person does.
  void show(ChoiceDialog& form, const std::vector<std::string>& items, bool preselect,
            std::function<void(forms::IForm&)> act) {
    form.SetCaption("Distance Units");
    form.Label1.SetCaption("Select Distance Units");
    form.Combo1.Clear();
    for (const auto& item : items)
      form.Combo1.AddItem(item);
    if (preselect)
      form.Combo1.SetText(items.front());
    user_.user->work = std::move(act);
    form.Show(forms::ShowMode::Modal);
  }

  testing::WithScriptedUser user_;
};

TEST_F(ChoiceDialogs, OkTakesTheChosenItemAndItsPosition) {
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(dialog.name);
    auto& form = dialog.form();
    show(form, {"Kilometers", "Miles"}, true, [](forms::IForm& shown) {
      EXPECT_EQ(shown.Perform("Combo1", {Gesture::Select, "Miles"}), "");
      EXPECT_EQ(shown.Perform("CmdOk", {Gesture::Click, ""}), "");
    });
    EXPECT_EQ(shared_state().gPickedName, "Miles");
    EXPECT_EQ(dialog.position(), 1);
    EXPECT_FALSE(form.Loaded());
  }
}

TEST_F(ChoiceDialogs, OnlyItemsOfTheListCanBeChosen) {
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(dialog.name);
    auto& form = dialog.form();
    dialog.position() = 0;
    show(form, {"Kilometers", "Miles"}, true, [](forms::IForm& shown) {
      EXPECT_NE(shown.Perform("Combo1", {Gesture::Set, "Furlongs"}), "");
      EXPECT_EQ(shown.Perform("CmdOk", {Gesture::Click, ""}), "");
    });
    EXPECT_EQ(shared_state().gPickedName, "Kilometers");
    EXPECT_EQ(dialog.position(), 0);
  }
}

TEST_F(ChoiceDialogs, OkWithoutAChosenItemDoesNothing) {
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(dialog.name);
    auto& form = dialog.form();
    dialog.position() = 4;
    shared_state().gPickedName = "earlier";
    bool open_after_ok = false;
    show(form, {"roads", "streets"}, false, [&](forms::IForm& shown) {
      EXPECT_EQ(shown.Perform("CmdOk", {Gesture::Click, ""}), "");
      open_after_ok = shown.Showing();
      EXPECT_EQ(shared_state().gPickedName, "earlier");
      EXPECT_EQ(shown.Perform("Command1", {Gesture::Click, ""}), "");
    });
    EXPECT_TRUE(open_after_ok);
    EXPECT_EQ(dialog.position(), 4);
  }
}

TEST_F(ChoiceDialogs, CancelAndTheFrameBothChooseNothing) {
  for (const auto& dialog : dialogs) {
    SCOPED_TRACE(dialog.name);
    auto& form = dialog.form();
    dialog.position() = 1;
    shared_state().gPickedName = "earlier";
    show(form, {"Kilometers", "Miles"}, true, [](forms::IForm& shown) {
      EXPECT_EQ(shown.Perform("Command1", {Gesture::Click, ""}), "");
    });
    EXPECT_EQ(shared_state().gPickedName, "");
    EXPECT_EQ(dialog.position(), 1);

    shared_state().gPickedName = "earlier";
    show(form, {"Kilometers", "Miles"}, true, [](forms::IForm&) {});
    EXPECT_EQ(shared_state().gPickedName, "");
    EXPECT_FALSE(form.Loaded());
  }
  EXPECT_EQ(user_.user->seen.back(), "closed Polylines1");
}

TEST_F(ChoiceDialogs, ShownAtTheirPlaceWithTheCallersTexts) {
  auto& form = gPolylinesForm();
  show(form, {"roads"}, true, [](forms::IForm& shown) {
    EXPECT_EQ(shown.ShownCaption(), "Distance Units");
    EXPECT_EQ(shown.Perform("CmdOk", {Gesture::Click, ""}), "");
  });
  EXPECT_EQ(user_.user->seen.front(), "shown Polylines \"Distance Units\"");
  form.Load();
  EXPECT_EQ(form.Left(), 3000);
  EXPECT_EQ(form.Top(), 3000);
  EXPECT_EQ(form.Combo1.Style(), forms::ComboStyle::DropdownList);
  EXPECT_EQ(form.CmdOk.Caption(), "&OK");
  EXPECT_EQ(form.Command1.Caption(), "&CANCEL");
  form.Unload();
}

TEST(NLoad, StartsAsTheLoadingWindowWithAPercentBar) {
  auto& form = gNLoadForm();
  form.ProgressBar1.SetMax(2500); // a feature count, from an earlier showing
  form.Unload();
  EXPECT_EQ(form.Caption(), "Loading Network");
  EXPECT_EQ(form.Label2.Caption(), "Loading Topology Network.....");
  EXPECT_EQ(form.ProgressBar1.Min(), 0);
  EXPECT_EQ(form.ProgressBar1.Max(), 100);
  form.Unload();
}

} // namespace
} // namespace corvane
