#include <gtest/gtest.h>

#include "com/object.h"
#include "common/apply_engine_settings.h"
#include "host/active_view.h"
#include "network/state/shared_state.h"
#include "support/host_fixture.h"
#include "support/stub_engine.h"

namespace corvane {
namespace {

using testing::CallLog;

class EngineSetUp : public ::testing::Test {
protected:
  void SetUp() override {
    reset_shared_state();
    auto& state = shared_state();
    state.gNetBase = com::make<testing::StubNetBase>(&log_);
    state.gNetCalc = com::make<testing::StubNetCalc>(&log_);
    state.gNetworkLayerName = "roads";
    state.gRoadClassCount = 2;
    state.gRoadClassSpeeds[0] = {.SpeedKmph = 50, .SpeedMph = 31, .ClassValue = 3, .Alias = ""};
    state.gRoadClassSpeeds[1] = {.SpeedKmph = 90, .SpeedMph = 56, .ClassValue = 7, .Alias = ""};
    state.gTempSpeedCount = 2;
    state.gTempSpeeds[1] = {.Link = 0, .SpeedKmph = 10, .SpeedMph = 6};
    state.gTempSpeeds[2] = {.Link = 12, .SpeedKmph = 20, .SpeedMph = 12.5};
    state.gClosedLinkCount = 1;
    state.gClosedLinks[1] = 4;
  }
  void TearDown() override { reset_shared_state(); }

  CallLog log_;
};

TEST_F(EngineSetUp, ShortestInKilometres) {
  shared_state().gRouteType = RouteShortest;
  shared_state().gDistUnits = "Kilometers";
  ApplyEngineSettings();
  // The temporary speed of link number 0 is not sent.
  EXPECT_EQ(log_,
            (CallLog{"SetResultTable(roads.dbf)", "SetResultField(CV_RESULT)",
                     "ClearResultField(-1, 0)", "SetPrimaryDistanceWeight(1)",
                     "SetPrimaryTimeWeight(0)", "ApplyWeights()", "SetSecondaryDistanceWeight(0)",
                     "SetSecondaryTimeWeight(1)", "SetClassSpeed(3, 50)", "SetClassSpeed(7, 90)",
                     "ResetLinkCosts(-1)", "SetTempSpeed(12, 20)", "SetLinkFlags(4, 1536)"}));
}

// The cost set-up alone names no result table and leaves the result field as it is.
TEST_F(EngineSetUp, FastestInMilesSendsTheMilesColumn) {
  shared_state().gRouteType = RouteFastest;
  shared_state().gDistUnits = "Miles";
  ApplyCostSettings();
  EXPECT_EQ(log_,
            (CallLog{"SetPrimaryDistanceWeight(0)", "SetPrimaryTimeWeight(1)", "ApplyWeights()",
                     "SetSecondaryDistanceWeight(1)", "SetSecondaryTimeWeight(0)",
                     "SetClassSpeed(3, 31)", "SetClassSpeed(7, 56)", "ResetLinkCosts(-1)",
                     "SetTempSpeed(12, 12.5)", "SetLinkFlags(4, 1536)"}));
}

TEST_F(EngineSetUp, WithoutClassesOrUnitsLinkCostsAreStillReset) {
  auto& state = shared_state();
  state.gRouteType = 0;
  state.gDistUnits = "Default";
  ApplyCostSettings();
  EXPECT_EQ(log_, (CallLog{"ApplyWeights()", "ResetLinkCosts(-1)", "SetLinkFlags(4, 1536)"}));
  log_.clear();
  state.gDistUnits = "Kilometers";
  state.gRouteType = RouteShortest;
  state.gRoadClassCount = 0;
  state.gTempSpeedCount = 0;
  state.gClosedLinkCount = 0;
  ApplyCostSettings();
  EXPECT_EQ(log_.back(), "ResetLinkCosts(-1)");
}

// The result field is emptied, the view partly redrawn, and only then do the weights go.
class RedrawnView : public testing::HostTest {};

TEST_F(RedrawnView, ComesBetweenTheEmptiedResultFieldAndTheWeights) {
  const auto view = com::ComPtr<host::HostMap>(map()).as<host::HostActiveView>();
  ASSERT_TRUE(view);
  class Calc final : public testing::StubNetCalc {
  public:
    explicit Calc(host::HostActiveView& view) : view_(view) {}
    std::int32_t ClearResultField(std::int32_t which, std::int32_t unused) override {
      at_clearing = view_.RefreshCount();
      return StubNetCalc::ClearResultField(which, unused);
    }
    void SetPrimaryDistanceWeight(double weight) override {
      at_weights = view_.RefreshCount();
      StubNetCalc::SetPrimaryDistanceWeight(weight);
    }
    int at_clearing = -1;
    int at_weights = -1;

  private:
    host::HostActiveView& view_;
  };
  const auto calc = com::make<Calc>(*view);
  auto& state = shared_state();
  state.gNetBase = com::make<testing::StubNetBase>();
  state.gNetCalc = calc;
  state.gRouteType = RouteShortest;
  ApplyEngineSettings(view.get());
  EXPECT_EQ(calc->at_weights, calc->at_clearing + 1);
  ApplyEngineSettings();
  EXPECT_EQ(calc->at_weights, calc->at_clearing);
}

} // namespace
} // namespace corvane
