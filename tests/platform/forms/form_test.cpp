#include <gtest/gtest.h>

#include "forms/testing/scripted_user.h"
#include "sample_forms.h"

namespace {

using forms::Gesture;
using forms::UserAction;
using Strings = std::vector<std::string>;

void perform(forms::IForm& form, std::string_view control, Gesture gesture,
             std::string value = "") {
  const auto problem = form.Perform(control, UserAction{gesture, std::move(value)});
  ASSERT_EQ(problem, "") << control;
}

TEST(FormTest, ModalShowHandsTheFormToTheUserAndReturnsOnceItIsUnloaded) {
  forms::testing::ScopedUser person;
  OptionsForm form;
  form.Text1.SetText("caller's text"); // the first touch loads the form before the change
  EXPECT_EQ(form.events, Strings{"Load"});

  bool worked = false;
  person->expect("OptionsForm", [&](forms::IForm& shown) {
    worked = true;
    EXPECT_EQ(shown.ShownCaption(), "Route Options");
    EXPECT_EQ(form.Text1.Text(), "caller's text");
    perform(shown, "Combo1", Gesture::Select, "places");
    perform(shown, "OptFast", Gesture::Click);
    perform(shown, "CmdOk", Gesture::Click);
    EXPECT_FALSE(shown.Showing());
  });
  form.Show(forms::ShowMode::Modal);

  EXPECT_TRUE(worked);
  EXPECT_EQ(form.chosen, "fast");
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.events, (Strings{"Load", "Activate", "QueryUnload 1", "Unload"}));
  EXPECT_EQ(person->seen, Strings{"modal OptionsForm"});
}

TEST(FormTest, UnloadBringsBackTheDesignAndTheNextTouchLoadsAgain) {
  OptionsForm form;
  form.SetCaption("Distance Units");
  form.Combo1.AddItem("extra");
  form.Combo1.SetListIndex(2);
  form.OptFast.SetValue(true);
  form.Text1.SetText("typed");
  form.CmdOk.SetEnabled(false);
  form.CmdOk.SetCaption("&Go");
  form.OptFast.SetCaption("Quickest");
  ASSERT_TRUE(form.Unload());

  EXPECT_EQ(form.Caption(), "Route Options");
  EXPECT_EQ(form.Combo1.ListCount(), 2);
  EXPECT_EQ(form.Combo1.ListIndex(), -1);
  EXPECT_EQ(form.Combo1.Text(), "");
  EXPECT_TRUE(form.OptShort.Value());
  EXPECT_FALSE(form.OptFast.Value());
  EXPECT_EQ(form.Text1.Text(), "");
  EXPECT_TRUE(form.CmdOk.Enabled());
  EXPECT_EQ(form.CmdOk.Caption(), "&OK");
  EXPECT_EQ(form.OptFast.Caption(), "Fastest");
  EXPECT_EQ(form.events, (Strings{"Load", "QueryUnload 1", "Unload", "Load"}));
}

TEST(FormTest, AFormTheUserLeavesOpenIsClosedByItsFrame) {
  forms::testing::ScopedUser person;
  OptionsForm form;
  form.Show(forms::ShowMode::Modal);
  EXPECT_EQ(form.events, (Strings{"Load", "Activate", "QueryUnload 0", "Unload"}));
  EXPECT_EQ(person->seen, (Strings{"modal OptionsForm", "closed OptionsForm"}));
  EXPECT_FALSE(form.Loaded());
}

TEST(FormTest, AModalShowEndsEvenWhenTheFormRefusesToClose) {
  forms::testing::ScopedUser person;
  OptionsForm form;
  form.refuse_close = 1;
  form.Show(forms::ShowMode::Modal);
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(form.Loaded());
  EXPECT_EQ(person->seen, (Strings{"modal OptionsForm", "closed OptionsForm"}));
}

TEST(FormTest, ThePersonSeesThePointerChangeOnlyOverAVisibleForm) {
  forms::testing::ScopedUser person;
  OptionsForm form;
  form.SetMousePointer(forms::Pointer::Cross); // not shown yet: nobody sees it
  form.Show(forms::ShowMode::Modeless);
  form.SetMousePointer(forms::Pointer::Hourglass);
  form.SetMousePointer(forms::Pointer::Hourglass); // no change
  form.SetMousePointer(static_cast<forms::Pointer>(42));
  form.SetMousePointer(forms::Pointer::Default);
  EXPECT_EQ(person->seen, (Strings{"modeless OptionsForm", "pointer OptionsForm hourglass",
                                   "pointer OptionsForm 42", "pointer OptionsForm default"}));
  // The pointer is part of the design that an unload brings back.
  form.SetMousePointer(forms::Pointer::ArrowHourglass);
  EXPECT_EQ(form.ShownPointer(), forms::Pointer::ArrowHourglass);
  form.Unload();
  EXPECT_EQ(form.MousePointer(), forms::Pointer::Default);
}

TEST(FormTest, TheFormKeepsTheControlItsCodeGaveTheFocusWhileItIsShown) {
  forms::testing::ScopedUser person;
  OptionsForm form;
  EXPECT_THROW(form.Text1.SetFocus(), forms::Error) << "a form not shown takes no focus";
  form.Show(forms::ShowMode::Modeless);
  form.Text1.SetFocus();
  form.Text1.SetFocus(); // no change
  form.Combo1.SetFocus();
  EXPECT_EQ(form.ActiveControl(), &form.Combo1);
  EXPECT_EQ(form.FocusedControl(), "Combo1");
  form.CmdOk.SetEnabled(false);
  EXPECT_THROW(form.CmdOk.SetFocus(), forms::Error);
  EXPECT_EQ(form.FocusedControl(), "Combo1") << "a refused focus leaves it where it was";
  EXPECT_EQ(person->seen, (Strings{"modeless OptionsForm", "focus OptionsForm Text1",
                                   "focus OptionsForm Combo1"}));
  // A form shown again starts without a focus, so its next SetFocus is seen again.
  form.Hide();
  EXPECT_EQ(form.ActiveControl(), nullptr);
  form.Show(forms::ShowMode::Modeless);
  form.Combo1.SetFocus();
  EXPECT_EQ(person->seen.back(), "focus OptionsForm Combo1");
  ASSERT_TRUE(form.Unload());
  EXPECT_EQ(form.FocusedControl(), "");
}

TEST(FormTest, AModalShowOfAShownFormIsAnError) {
  OptionsForm form;
  form.Show(forms::ShowMode::Modeless);
  EXPECT_TRUE(form.Visible());
  EXPECT_THROW(form.Show(forms::ShowMode::Modal), forms::Error);
}

TEST(FormTest, WithoutAUserAModalFormClosesAtOnce) {
  OptionsForm form;
  form.Show(forms::ShowMode::Modal);
  EXPECT_EQ(form.events, (Strings{"Load", "Activate", "QueryUnload 0", "Unload"}));
}

// A form that opens another one modally from a button, as a list dialog opens its picker.
class OuterForm : public forms::Form {
public:
  OuterForm() : Form("OuterForm", {.Caption = "Outer"}) {
    CmdOpen.Click = [this] { inner.Show(forms::ShowMode::Modal); };
  }
  void Form_Activate() override { ++activations; }
  forms::CommandButton CmdOpen{*this, "CmdOpen", "&Open"};
  OptionsForm inner;
  int activations = 0;
};

TEST(FormTest, ANestedModalFormReactivatesTheFormBelowWhenItCloses) {
  forms::testing::ScopedUser person;
  OuterForm outer;
  person->expect("OuterForm",
                 [](forms::IForm& shown) { perform(shown, "CmdOpen", Gesture::Click); });
  person->expect<OptionsForm>("OptionsForm", [](OptionsForm& inner) { inner.CmdCancel.Click(); });
  outer.Show(forms::ShowMode::Modal);
  EXPECT_EQ(outer.activations, 2);
  EXPECT_EQ(person->pending(), 0u);
  EXPECT_EQ(person->seen, (Strings{"modal OuterForm", "modal OptionsForm", "closed OuterForm"}));
}

TEST(FormTest, PerformRefusesWhatAPersonCannotDo) {
  OptionsForm form;
  form.Show(forms::ShowMode::Modeless);
  form.CmdOk.SetEnabled(false);
  form.Frame2.SetVisible(false);
  struct Case {
    std::string control;
    UserAction action;
    std::string problem;
  };
  const std::vector<Case> cases = {
      {"CmdNone",
       {Gesture::Click, ""},
       "no control CmdNone (controls: Frame1, OptShort, OptFast, Frame2, RadKm, RadMi, Combo1, "
       "Text1, CmdOk, CmdCancel)"},
      {"CmdOk(1)",
       {Gesture::Click, ""},
       "no control CmdOk(1) (controls: Frame1, OptShort, OptFast, Frame2, RadKm, RadMi, Combo1, "
       "Text1, CmdOk, CmdCancel)"},
      {"CmdOk", {Gesture::Click, ""}, "CmdOk is disabled"},
      {"RadMi", {Gesture::Click, ""}, "RadMi is inside a disabled or hidden container"},
      {"Combo1", {Gesture::Set, "x"}, "Combo1 is a drop-down list: select one of its items"},
      {"Combo1",
       {Gesture::Select, "lakes"},
       "Combo1 has no item \"lakes\" (items: \"roads\", \"places\")"},
      {"Combo1", {Gesture::Select, "#2"}, "Combo1 has no item #2 (2 items)"},
      {"CmdCancel", {Gesture::Check, "1"}, "CmdCancel does not take \"check\""},
      {"Text1", {Gesture::Key, "enter"}, "Text1 cannot take the key \"enter\" (a key code 1..255)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(form.Perform(c.control, c.action), c.problem) << c.control;

  form.Hide();
  EXPECT_EQ(form.Perform("CmdCancel", {Gesture::Click, ""}), "the form is not shown");
}

// A dialog that enables OK only once the mouse passed over it with a number typed.
class LimitForm : public forms::Form {
public:
  LimitForm() : Form("LimitForm", {.Caption = "Enter Link Limit (length)"}) {
    Text1.MouseMove = [this](int, int, float, float) { Form_MouseMove(0, 0, 0, 0); };
  }
  forms::TextBox Text1{*this, "Text1"};
  forms::CommandButton CmdOk{*this, "CmdOk", "&OK", {.Enabled = false}};

protected:
  void Form_MouseMove(int, int, float, float) override { CmdOk.SetEnabled(!Text1.Text().empty()); }
};

TEST(FormTest, AHoverMovesTheMouseOverAControlOrTheFormItself) {
  LimitForm form;
  form.Show(forms::ShowMode::Modeless);
  EXPECT_EQ(form.Perform("Text1", {Gesture::Set, "0.5"}), "");
  EXPECT_EQ(form.Perform("CmdOk", {Gesture::Click, ""}), "CmdOk is disabled");
  EXPECT_EQ(form.Perform("Text1", {Gesture::Hover, ""}), "");
  EXPECT_TRUE(form.CmdOk.Enabled());
  EXPECT_EQ(form.Perform("Text1", {Gesture::Set, ""}), "");
  EXPECT_EQ(form.Perform("LimitForm", {Gesture::Hover, ""}), "");
  EXPECT_FALSE(form.CmdOk.Enabled());
}

TEST(FormTest, AFailingHandlerIsReportedToThePersonNotThrown) {
  OptionsForm form;
  form.CmdOk.Click = [] { throw forms::Error("Invalid property value"); };
  form.Show(forms::ShowMode::Modeless);
  EXPECT_EQ(form.Perform("CmdOk", {Gesture::Click, ""}),
            "CmdOk click failed: Invalid property value");
}

// One control's appearance as "depth kind name caption text value items enabled visible".
std::string seen(const forms::ControlView& view) {
  const auto& a = view.appearance;
  std::string out = std::to_string(view.depth) + " " + a.kind + " " + view.name;
  if (a.caption)
    out += " '" + *a.caption + "'";
  if (a.text)
    out += " text '" + *a.text + "'";
  if (a.value)
    out += " value " + std::to_string(static_cast<int>(*a.value));
  for (const auto& item : a.items)
    out += " [" + item + "]";
  if (!a.enabled)
    out += " disabled";
  if (!a.visible)
    out += " hidden";
  return out;
}

Strings seen(const forms::IForm& form) {
  Strings out;
  for (const auto& view : form.DescribeControls())
    out.push_back(seen(view));
  return out;
}

TEST(FormTest, DescribingShowsTheDesignWithoutLoadingAndTheStateOnceChanged) {
  OptionsForm form;
  EXPECT_EQ(seen(form),
            (Strings{"1 frame Frame1 'Route Type'", "2 option OptShort 'Shortest' value 1",
                     "2 option OptFast 'Fastest' value 0", "1 frame Frame2 'Distance Units'",
                     "2 option RadKm 'Kilometers' value 1", "2 option RadMi 'Miles' value 0",
                     "1 combo Combo1 text '' [roads] [places]", "1 text Text1 text ''",
                     "1 button CmdOk '&OK'", "1 button CmdCancel '&CANCEL'"}));
  EXPECT_TRUE(form.events.empty()) << "describing does not load the form";

  form.Show(forms::ShowMode::Modeless);
  perform(form, "OptFast", Gesture::Click);
  perform(form, "Combo1", Gesture::Select, "places");
  form.Frame2.SetEnabled(false);
  form.Text1.SetVisible(false);
  const auto now = seen(form);
  EXPECT_EQ(now[2], "2 option OptFast 'Fastest' value 1");
  EXPECT_EQ(now[3], "1 frame Frame2 'Distance Units' disabled");
  EXPECT_EQ(now[6], "1 combo Combo1 text 'places' [roads] [places]");
  EXPECT_EQ(now[7], "1 text Text1 text '' hidden");
}

// A problem list as the batch commands show one.
class ProblemForm : public forms::Form {
public:
  ProblemForm() : Form("ProblemForm", {.Caption = "Errors"}) { SetProblemList(List1); }
  forms::ListBox List1{*this, "List1"};
};

TEST(FormTest, AProblemListHandsOverItsLinesOnlyWhileLoaded) {
  ProblemForm problems;
  EXPECT_TRUE(problems.ListedProblems().empty());
  problems.List1.AddItem("places");
  problems.List1.AddItem("Fid = 1(Corrupt data found)");
  EXPECT_EQ(problems.ListedProblems(), (Strings{"places", "Fid = 1(Corrupt data found)"}));
  EXPECT_TRUE(OptionsForm().ListedProblems().empty());
}

} // namespace
