#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/testing/scripted_user.h"
#include "network/state/shared_state.h"
#include "routing/route_legs.h"
#include "support/stub_engine.h"

namespace corvane {
namespace {

// Legs whose solve fails: no totals come back, so nothing is written or stamped.
class FailingLegs : public ::testing::Test {
protected:
  void SetUp() override {
    reset_shared_state();
    auto& state = shared_state();
    state.gStopNodes[0] = 1;
    state.gStopNodes[1] = 2;
    state.gRouteStopCount = 1;
  }
  void TearDown() override { reset_shared_state(); }

  std::vector<std::string> messages() const {
    std::vector<std::string> shown;
    for (const auto& message : user_->messages)
      shown.push_back(message.title + ": " + message.text);
    return shown;
  }

  forms::testing::ScopedUser user_;
};

TEST_F(FailingLegs, UnreachableEvenToTheFarthestNodeAborts) {
  const auto calc = com::make<testing::StubNetCalc>();
  calc->solve_result = -33;
  EXPECT_FALSE(SolveRouteLegs(*calc, shared_state().gRouteStopCount, nullptr));
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "Error: From and To Points Are Not Connected. Calculating To The Possible Extent",
                "Error: From and to points are not connected. Aborting"}));
}

TEST_F(FailingLegs, AnyOtherFailureCodeIsNoCost) {
  const auto calc = com::make<testing::StubNetCalc>();
  calc->solve_result = -35;
  EXPECT_FALSE(SolveRouteLegs(*calc, shared_state().gRouteStopCount, nullptr));
  ASSERT_EQ(user_->messages.size(), 1U);
  EXPECT_EQ(user_->messages[0].title, "Error");
  EXPECT_EQ(user_->messages[0].icon, forms::Icon::Critical);
}

} // namespace
} // namespace corvane
