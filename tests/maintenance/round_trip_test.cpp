#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "maintenance_fixture.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;
using testing::A;
using testing::B;
using testing::C;
using testing::D;

// What the tools keep in memory, as the network opening must read it back.
struct Kept {
  std::vector<std::int32_t> closed;
  std::vector<TempSpeedRow> speeds;
  std::vector<RoadClassSpeed> classes;
};

Kept kept() {
  const auto& state = shared_state();
  Kept now;
  for (std::int32_t row = 1; row <= state.gClosedLinkCount; ++row)
    now.closed.push_back(state.gClosedLinks[row]);
  for (std::int32_t row = 1; row <= state.gTempSpeedCount; ++row)
    now.speeds.push_back(state.gTempSpeeds[row]);
  for (std::int32_t row = 0; row < state.gRoadClassCount; ++row)
    now.classes.push_back(state.gRoadClassSpeeds[row]);
  return now;
}

class RoundTrip : public testing::MaintenanceTest {};

TEST_F(RoundTrip, WhatTheToolsWriteTheOpeningReadsBack) {
  build();
  const auto close_link = command("Corvane.CloseLink");
  ASSERT_TRUE(select(close_link));
  click(close_link, along(B, C, 0.5));

  const auto set_speed = command("Corvane.SetDynSpeed");
  ASSERT_TRUE(select(set_speed));
  for (const auto& [link, option, text] : {std::tuple{along(A, D, 0.5), "optMph", "30"},
                                           std::tuple{along(A, B, 0.5), "optKmph", "7.5"}}) {
    on_form("FrmDynaRoadSP", [option, text](forms::IForm& shown) {
      testing::perform(shown, option, Gesture::Click);
      testing::perform(shown, "Text1", Gesture::Set, text);
      testing::perform(shown, "CmdUpdate", Gesture::Click);
    });
    click(set_speed, link);
  }

  on_form("FrmAlias", [](forms::IForm& shown) {
    testing::perform(shown, "Text1", Gesture::Set, "Motorway");
    testing::perform(shown, "CmdOk", Gesture::Click);
  });
  on_form("FrmSetSpeed", [](forms::IForm& shown) {
    for (const auto& [row, speed] : {std::pair{"#0", "30"}, std::pair{"#1", "90"}}) {
      testing::perform(shown, "List1", Gesture::Select, row);
      testing::perform(shown, "txtspdval", Gesture::Set, speed);
      testing::perform(shown, "CmdUpdate", Gesture::Click);
    }
    testing::perform(shown, "CmdEdit", Gesture::Click);
    testing::perform(shown, "CmdOk", Gesture::Click);
  });
  ASSERT_EQ(command("Corvane.SpeedSet")->OnClick(), com::S_OK);

  shared_state().gRouteType = RouteFastest;
  const float fastest = route_cost(A, C);
  const auto written = kept();
  ASSERT_EQ(written.closed.size(), 1u);
  ASSERT_EQ(written.speeds.size(), 2u);
  ASSERT_EQ(written.classes.size(), 2u);
  ASSERT_EQ(written.classes[1].Alias, "Motorway");

  reopen();
  const auto read = kept();
  EXPECT_EQ(read.closed, written.closed);
  ASSERT_EQ(read.speeds.size(), written.speeds.size());
  for (std::size_t i = 0; i < read.speeds.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read.speeds[i].Link, written.speeds[i].Link);
    // The file keeps 15 significant digits.
    EXPECT_NEAR(read.speeds[i].SpeedKmph, written.speeds[i].SpeedKmph, 1e-13);
    EXPECT_NEAR(read.speeds[i].SpeedMph, written.speeds[i].SpeedMph, 1e-13);
  }
  ASSERT_EQ(read.classes.size(), written.classes.size());
  for (std::size_t i = 0; i < read.classes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read.classes[i].ClassValue, written.classes[i].ClassValue);
    EXPECT_EQ(read.classes[i].SpeedMph, written.classes[i].SpeedMph);
    EXPECT_FLOAT_EQ(read.classes[i].SpeedKmph, written.classes[i].SpeedKmph);
    EXPECT_EQ(read.classes[i].Alias, written.classes[i].Alias);
  }
  // The opening marks the links again (after the markers the tools placed, which closing the
  // network leaves on the map).
  const auto all = markers();
  ASSERT_GE(all.size(), 3u);
  EXPECT_TRUE(testing::same_points({all.end() - 3, all.end()},
                                   {along(A, D, 0.7), along(A, B, 0.7), along(B, C, 0.5)}));

  shared_state().gRouteType = RouteFastest;
  EXPECT_FLOAT_EQ(route_cost(A, C), fastest) << "the reopened network routes as before";
}

} // namespace
} // namespace corvane
