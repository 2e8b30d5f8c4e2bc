#include <gtest/gtest.h>

#include "forms/message_box.h"
#include "forms/testing/scripted_user.h"

namespace {

using forms::Answer;
using forms::Buttons;
using forms::Icon;

TEST(MessageBoxTest, WithoutAUserABoxTakesItsFirstButton) {
  EXPECT_EQ(forms::MsgBox("Create the new network?", "Dataset Units Mismatch", Icon::Question,
                          Buttons::YesNo),
            Answer::Yes);
  EXPECT_EQ(forms::MsgBox("Retry?", "", Icon::None, Buttons::RetryCancel), Answer::Retry);
}

TEST(MessageBoxTest, TheUserReadsTheBoxAndAnswersWithOneOfItsButtons) {
  forms::testing::ScopedUser person;
  person->answers = {Answer::No, Answer::Yes};
  EXPECT_EQ(forms::MsgBox("Create?", "Units", Icon::Exclamation, Buttons::YesNo), Answer::No);
  // Yes is no button of an OK box: the box takes its default.
  EXPECT_EQ(forms::MsgBox("Done", "Info"), Answer::OK);
  EXPECT_EQ(person->seen, (std::vector<std::string>{"message Create?", "message Done"}));
}

TEST(MessageBoxTest, NamesAsTheTranscriptWritesThem) {
  EXPECT_EQ(forms::name_of(Buttons::YesNoCancel), "YesNoCancel");
  EXPECT_EQ(forms::name_of(Icon::Exclamation), "exclamation");
  EXPECT_EQ(forms::name_of(Answer::Cancel), "Cancel");
  Answer answer{};
  EXPECT_TRUE(forms::parse_answer("yes", answer));
  EXPECT_EQ(answer, Answer::Yes);
  EXPECT_FALSE(forms::parse_answer("Maybe", answer));
}

TEST(MessageBoxTest, AnEscPressedByThePersonIsSeenOnceAfterTheYield) {
  forms::testing::ScopedUser person;
  person->escapes = 1;
  EXPECT_TRUE(forms::escape_pressed());
  EXPECT_FALSE(forms::escape_pressed());
}

} // namespace
