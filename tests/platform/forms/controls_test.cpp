#include <gtest/gtest.h>

#include "sample_forms.h"

namespace {

using forms::Gesture;
using Strings = std::vector<std::string>;

TEST(ControlsTest, OptionButtonsAreExclusiveWithinTheirContainerOnly) {
  OptionsForm form;
  int short_clicks = 0;
  int fast_clicks = 0;
  form.OptShort.Click = [&] { ++short_clicks; };
  form.OptFast.Click = [&] { ++fast_clicks; };

  form.OptFast.SetValue(true);
  EXPECT_FALSE(form.OptShort.Value());
  EXPECT_TRUE(form.RadKm.Value()) << "another frame is another group";
  form.OptFast.SetValue(true);
  EXPECT_EQ(fast_clicks, 1) << "Click fires when an option becomes selected";

  form.Show(forms::ShowMode::Modeless);
  EXPECT_EQ(form.Perform("OptShort", {Gesture::Click, ""}), "");
  EXPECT_TRUE(form.OptShort.Value());
  EXPECT_FALSE(form.OptFast.Value());
  EXPECT_EQ(short_clicks, 1);
}

TEST(ControlsTest, ComboSelectionText) {
  OptionsForm form;
  Strings events;
  form.Combo1.Click = [&] { events.push_back("Click " + form.Combo1.Text()); };
  form.Combo1.SetListIndex(1);
  form.Combo1.SetText("ROADS"); // a drop-down list matches its text without letter case
  EXPECT_EQ(form.Combo1.ListIndex(), 0);
  EXPECT_THROW(form.Combo1.SetText("lakes"), forms::Error);
  EXPECT_THROW(form.Combo1.SetListIndex(2), forms::Error);
  EXPECT_EQ(events, (Strings{"Click places", "Click roads"}));

  forms::ComboBox editable{
      form, "Combo2", forms::ComboStyle::DropdownCombo, {"Kilometers", "Miles"}};
  editable.Change = [&] { events.push_back("Change " + editable.Text()); };
  editable.Click = [&] { events.push_back("Click " + editable.Text()); };
  editable.SetText("Miles");
  EXPECT_EQ(editable.ListIndex(), 1) << "a typed item is selected without a Click";
  editable.SetText("Leagues");
  EXPECT_EQ(editable.ListIndex(), -1);
  form.Show(forms::ShowMode::Modeless);
  EXPECT_EQ(form.Perform("Combo2", {Gesture::Select, "#0"}), "");
  EXPECT_EQ(events, (Strings{"Click places", "Click roads", "Change Miles", "Change Leagues",
                             "Click Kilometers"}));

  // An item's own text wins over the "#N" form.
  forms::ListBox stops{form, "List1", {"#1", "#0 Start", "End"}};
  EXPECT_EQ(form.Perform("List1", {Gesture::Select, "#1"}), "");
  EXPECT_EQ(stops.ListIndex(), 0);
  EXPECT_EQ(form.Perform("List1", {Gesture::Select, "#0 Start"}), "");
  EXPECT_EQ(stops.ListIndex(), 1);
  EXPECT_EQ(form.Perform("List1", {Gesture::Select, "#2"}), "");
  EXPECT_EQ(stops.ListIndex(), 2);
  EXPECT_NE(form.Perform("List1", {Gesture::Select, "#3"}), "");
}

TEST(ControlsTest, ListEditingKeepsTheSelectionOnItsItem) {
  OptionsForm form;
  forms::ListBox list{form, "List1", {"a", "b", "c"}};
  list.SetListIndex(1);
  list.AddItem("first", 0);
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.Text(), "b");
  list.RemoveItem(0);
  EXPECT_EQ(list.Text(), "b");
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.Text(), "");
  EXPECT_THROW(list.AddItem("x", 5), forms::Error);
  EXPECT_THROW(list.RemoveItem(2), forms::Error);
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
}

TEST(ControlsTest, ValuesFireTheirEventOnlyWhenTheyChange) {
  OptionsForm form;
  forms::CheckBox check{form, "Check1", "Generate Doughnut Polygons"};
  forms::Slider slider{form, "Slider1", 0, 255};
  forms::ProgressBar bar{form, "ProgressBar1"};
  int clicks = 0;
  int changes = 0;
  check.Click = [&] { ++clicks; };
  slider.Change = [&] { ++changes; };

  check.SetValue(1);
  check.SetValue(1);
  slider.SetValue(40);
  slider.SetValue(40);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(check.SetValue(3), forms::Error);
  EXPECT_THROW(slider.SetValue(256), forms::Error);
  EXPECT_THROW(bar.SetValue(101), forms::Error);
  bar.SetMax(20);
  bar.SetValue(20);
  EXPECT_THROW(bar.SetMax(0), forms::Error);

  form.Show(forms::ShowMode::Modeless);
  EXPECT_EQ(form.Perform("Check1", {Gesture::Check, "0"}), "");
  EXPECT_EQ(form.Perform("Slider1", {Gesture::Set, "41"}), "");
  EXPECT_EQ(form.Perform("Slider1", {Gesture::Set, "300"}),
            "Slider1 cannot be set to \"300\" (a whole number 0..255)");
  EXPECT_EQ(check.Value(), 0);
  EXPECT_EQ(slider.Value(), 41);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, 2);
}

TEST(ControlsTest, AKeyFiresKeyDownKeyPressAndKeyUpUnlessSwallowed) {
  OptionsForm form;
  Strings events;
  form.Text1.KeyDown = [&](int& code, int) { events.push_back("down " + std::to_string(code)); };
  form.Text1.KeyPress = [&](int& ascii) { events.push_back("press " + std::to_string(ascii)); };
  form.Text1.KeyUp = [&](int& code, int) { events.push_back("up " + std::to_string(code)); };
  form.Show(forms::ShowMode::Modeless);
  EXPECT_EQ(form.Perform("Text1", {Gesture::Key, "13"}), "");
  EXPECT_EQ(events, (Strings{"down 13", "press 13", "up 13"}));

  events.clear();
  form.Text1.KeyDown = [&](int& code, int) { code = 0; };
  EXPECT_EQ(form.Perform("Text1", {Gesture::Key, "13"}), "");
  EXPECT_EQ(events, Strings{"up 13"});
}

// A palette of colour boxes and sliders in control arrays, as the route colour dialog has.
class PaletteForm : public forms::Form {
public:
  PaletteForm() : Form("Coloring", {.Caption = "Route Color"}) {
    Slider1.Bind(&forms::Slider::Change, [this](int index) {
      Picture1(index).SetBackColor(forms::Rgb(Slider1(index).Value(), 0, 0));
    });
    Picture1.Bind(&forms::PictureBox::Click, [this](int index) { clicked.push_back(index); });
  }
  forms::ControlArray<forms::PictureBox> Picture1{*this, "Picture1", 3};
  forms::ControlArray<forms::Slider> Slider1{*this, "Slider1", 3, 0, 255, 0};
  std::vector<int> clicked;
};

TEST(ControlsTest, ControlArraysAreFoundByNameAndIndexAndTellTheIndexToTheirHandler) {
  PaletteForm form;
  EXPECT_EQ(form.FindControl("Slider1", 2), &form.Slider1(2));
  EXPECT_EQ(form.FindControl("Slider1"), nullptr);
  EXPECT_THROW(form.Slider1(3), forms::Error);

  form.Show(forms::ShowMode::Modeless);
  EXPECT_EQ(form.Perform("Slider1(1)", {Gesture::Set, "40"}), "");
  EXPECT_EQ(form.Perform("Picture1(2)", {Gesture::Click, ""}), "");
  EXPECT_EQ(form.Picture1(1).BackColor(), forms::Rgb(40, 0, 0));
  EXPECT_EQ(form.Picture1(0).BackColor(), forms::ButtonFace);
  EXPECT_EQ(form.clicked, std::vector<int>{2});

  form.Unload();
  EXPECT_EQ(form.Slider1(1).Value(), 0);
  EXPECT_EQ(form.Picture1(1).BackColor(), forms::ButtonFace);
}

} // namespace
