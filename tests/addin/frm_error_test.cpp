#include <gtest/gtest.h>

#include "dialogs/frame/frm_error.h"

namespace corvane {
namespace {

TEST(FrmError, PlacesItselfAndLosesItsListWhenOkCloses) {
  FrmError form;
  form.List1.AddItem("Point 3: no network node found");
  EXPECT_EQ(form.Caption(), "Errors");
  EXPECT_EQ(form.Left(), 3000);
  EXPECT_EQ(form.Top(), 3000);
  EXPECT_EQ(form.Command1.Caption(), "OK");

  form.Show();
  EXPECT_EQ(form.Perform("Command1", {forms::Gesture::Click, ""}), "");
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.List1.ListCount(), 0) << "the next showing starts with an empty list";
}

} // namespace
} // namespace corvane
