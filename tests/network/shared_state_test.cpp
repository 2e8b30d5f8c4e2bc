#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "network/state/bounded_table.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

class SharedStateTest : public ::testing::Test {
protected:
  void SetUp() override { reset_shared_state(); }
  void TearDown() override { reset_shared_state(); }
};

TEST_F(SharedStateTest, TablesHoldTheirDeclaredRowsAndNoMore) {
  auto& state = shared_state();
  const struct {
    const char* table;
    std::int32_t upper;
    std::function<void(std::int32_t)> write;
  } cases[] = {
      {"gClosedLinks", 300, [&](std::int32_t i) { state.gClosedLinks[i] = 7; }},
      {"gTempSpeeds", 300, [&](std::int32_t i) { state.gTempSpeeds[i].Link = 7; }},
      {"gRoadClassSpeeds", 31, [&](std::int32_t i) { state.gRoadClassSpeeds[i].ClassValue = 7; }},
      {"gStopNodes", 3000, [&](std::int32_t i) { state.gStopNodes[i] = 7; }},
      {"gMarkerLabels", 5000, [&](std::int32_t i) { state.gMarkerLabels[i] = "7"; }},
      {"gCandidateLayers", 1000, [&](std::int32_t i) { state.gCandidateLayers[i].MapIndex = 7; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table);
    EXPECT_NO_THROW(c.write(0));
    EXPECT_NO_THROW(c.write(c.upper));
    EXPECT_THROW(c.write(c.upper + 1), TableIndexOutOfRange);
    EXPECT_THROW(c.write(-1), TableIndexOutOfRange);
  }
}

TEST_F(SharedStateTest, RowsNeverWrittenReadAsEmptyAndResetForgetsEverything) {
  auto& state = shared_state();
  state.gZoneValues.reallocate(3);
  state.gZoneValues[2] = 10;
  const auto& zones = state.gZoneValues;
  EXPECT_EQ(zones[1], 0);
  EXPECT_EQ(zones[2], 10);
  EXPECT_EQ(zones[3], 0);
  EXPECT_THROW(zones[4], TableIndexOutOfRange);
  // The tables of a million rows cost nothing until a row far down is written.
  state.gTourStops[1000000].Node = 5;
  EXPECT_EQ(std::as_const(state.gTourStops)[999999].Node, 0);

  state.gNetworkFolder = "/data";
  state.gNetworkState = NetworkLoaded;
  reset_shared_state();
  EXPECT_EQ(shared_state().gNetworkFolder, "");
  EXPECT_EQ(shared_state().gNetworkState, NetworkNeverLoaded);
  EXPECT_EQ(std::as_const(shared_state().gTourStops)[1000000].Node, 0);
  EXPECT_EQ(shared_state().gZoneValues.upper(), 0);
}

TEST_F(SharedStateTest, EachHostThreadHasItsOwnSet) {
  shared_state().gNetworkLayerName = "roads";
  std::string seen_there;
  std::thread other([&] {
    seen_there = shared_state().gNetworkLayerName;
    shared_state().gNetworkLayerName = "other";
  });
  other.join();
  EXPECT_EQ(seen_there, "");
  EXPECT_EQ(shared_state().gNetworkLayerName, "roads");
}

} // namespace
} // namespace corvane
