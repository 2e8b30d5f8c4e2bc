#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "../network/scripted_user.h"
#include "dialogs/answer_form.h"
#include "dialogs/checks/back.h"
#include "dialogs/tsp/add_field.h"
#include "dialogs/tsp/tsp_table.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;

class OneQuestion final : public AnswerForm {
public:
  explicit OneQuestion(forms::Event frame_answer)
      : AnswerForm("OneQuestion", {.Caption = "One question"}, std::move(frame_answer)) {
    answer_with(Yes, [this] { answer = "yes"; });
  }

  forms::CommandButton Yes{*this, "Yes", "&Yes"};
  std::string answer;
};

class AnswerForms : public ::testing::Test {
protected:
  void SetUp() override { reset_shared_state(); }
  void TearDown() override { reset_shared_state(); }

  void show(forms::Form& form, std::function<void(forms::IForm&)> act) {
    user_.user->work = std::move(act);
    form.Show(forms::ShowMode::Modal);
  }

  testing::WithScriptedUser user_;
};

TEST_F(AnswerForms, AButtonAnswersAndClosesAndTheFrameAnswerStaysOut) {
  OneQuestion form([&] { form.answer = "frame"; });
  show(form, [](forms::IForm& shown) {
    EXPECT_EQ(shown.Perform("Yes", {Gesture::Click, ""}), "");
  });
  EXPECT_EQ(form.answer, "yes");
  EXPECT_FALSE(form.Loaded());
}

TEST_F(AnswerForms, AFrameCloseGivesTheFrameAnswerOrNone) {
  OneQuestion with_answer([&] { with_answer.answer = "frame"; });
  show(with_answer, {});
  EXPECT_EQ(with_answer.answer, "frame");

  OneQuestion without_answer({});
  show(without_answer, {});
  EXPECT_EQ(without_answer.answer, "");
  EXPECT_FALSE(without_answer.Loaded());
}

// A dialog closed by its frame after an earlier showing was answered must not hand over that
// earlier choice: the commands read the outcome only after the dialog has gone.
struct EarlierChoiceCase {
  const char* name;
  std::function<forms::Form&()> form;
  std::function<void(forms::IForm&)> answer;
  std::function<bool()> no_choice;
};

const EarlierChoiceCase earlier_choice_cases[] = {
    {"TspTable",
     []() -> forms::Form& {
       auto& form = gTspTableForm();
       form.SeltTab.AddItem("stops");
       return form;
     },
     [](forms::IForm& shown) {
       EXPECT_EQ(shown.Perform("SeltTab", {Gesture::Select, "stops"}), "");
       EXPECT_EQ(shown.Perform("TabOk", {Gesture::Click, ""}), "");
     },
     [] { return shared_state().gTspTableCancelled == 1; }},
    {"AddField",
     []() -> forms::Form& {
       auto& form = gAddFieldForm();
       form.Combo1.AddItem("OID");
       return form;
     },
     [](forms::IForm& shown) {
       EXPECT_EQ(shown.Perform("Combo1", {Gesture::Select, "OID"}), "");
       EXPECT_EQ(shown.Perform("CmdOK", {Gesture::Click, ""}), "");
     },
     [] { return shared_state().gAddFieldOk == 0; }},
    {"Back", []() -> forms::Form& { return gBackForm(); },
     [](forms::IForm& shown) {
       EXPECT_EQ(shown.Perform("Continue", {Gesture::Click, ""}), "");
     },
     [] { return shared_state().gBackDialogResult == 0; }},
};

TEST_F(AnswerForms, AFrameCloseDropsTheChoiceOfAnEarlierShowing) {
  for (const auto& dialog : earlier_choice_cases) {
    SCOPED_TRACE(dialog.name);
    show(dialog.form(), dialog.answer);
    EXPECT_FALSE(dialog.no_choice());
    show(dialog.form(), {});
    EXPECT_TRUE(dialog.no_choice());
  }
}

} // namespace
} // namespace corvane
