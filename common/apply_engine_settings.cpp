#include "common/apply_engine_settings.h"

#include <cstdint>

#include "com/numbers.h"
#include "common/result_field.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// Every link setting the engine knows is dropped by ResetLinkCosts; this flag closes a link
// until the next reset.
constexpr std::int32_t ClosedLinkFlags = 1536;

enum class SpeedColumn { None, Kmph, Mph };

SpeedColumn speed_column(const std::string& units) {
  if (units == settings::Kilometers)
    return SpeedColumn::Kmph;
  if (units == settings::Miles)
    return SpeedColumn::Mph;
  return SpeedColumn::None;
}

void set_weights(tamix::NetCalc& calc, std::int32_t route_type) {
  if (route_type == RouteShortest) {
    calc.SetPrimaryDistanceWeight(1.0);
    calc.SetPrimaryTimeWeight(0.0);
  } else if (route_type == RouteFastest) {
    calc.SetPrimaryDistanceWeight(0.0);
    calc.SetPrimaryTimeWeight(1.0);
  }
  shared_state().gEngineResult = calc.ApplyWeights();
  if (route_type == RouteShortest) {
    calc.SetSecondaryDistanceWeight(0.0);
    calc.SetSecondaryTimeWeight(1.0);
  } else if (route_type == RouteFastest) {
    calc.SetSecondaryDistanceWeight(1.0);
    calc.SetSecondaryTimeWeight(0.0);
  }
}

void send_class_speeds(tamix::NetBase& base, SpeedColumn column) {
  auto& state = shared_state();
  if (column == SpeedColumn::None)
    return;
  for (std::int32_t row = 0; row < state.gRoadClassCount; ++row) {
    const auto& speed = state.gRoadClassSpeeds[row];
    state.gCallResult =
        base.SetClassSpeed(static_cast<std::int16_t>(speed.ClassValue),
                           column == SpeedColumn::Mph ? speed.SpeedMph : speed.SpeedKmph);
  }
}

void send_temp_speeds(tamix::NetBase& base, SpeedColumn column) {
  auto& state = shared_state();
  if (column == SpeedColumn::None)
    return;
  for (std::int32_t row = 1; row <= state.gTempSpeedCount; ++row) {
    const auto& speed = state.gTempSpeeds[row];
    if (speed.Link == 0)
      continue;
    const auto link = com::to_int32(speed.Link);
    if (!link)
      throw HandlerEnd("temporary speed link number out of range");
    state.gCallResult = base.SetTempSpeed(
        *link, static_cast<float>(column == SpeedColumn::Mph ? speed.SpeedMph : speed.SpeedKmph));
  }
}

} // namespace

void SetResultTableAndField(std::string_view field) {
  auto& state = shared_state();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  state.gEngineResult = calc.SetResultTable(state.gNetworkLayerName + ".dbf");
  state.gEngineResult = calc.SetResultField(std::string(field));
}

void ApplyCostSettings() {
  auto& state = shared_state();
  auto& calc = *require(state.gNetCalc, "NetCalc");
  auto& base = *require(state.gNetBase, "NetBase");
  set_weights(calc, state.gRouteType);
  const auto column = speed_column(state.gDistUnits);
  send_class_speeds(base, column);
  // After the class speeds, so that the link settings below start from the class costs.
  state.gCallResult = base.ResetLinkCosts(-1);
  send_temp_speeds(base, column);
  SendClosedLinks();
}

void ClearResultAndApplyCostSettings(host::HostActiveView* redrawn) {
  auto& state = shared_state();
  state.gEngineResult = require(state.gNetCalc, "NetCalc")->ClearResultField(-1, 0);
  if (redrawn)
    redrawn->PartialRefresh(2, nullptr, nullptr);
  ApplyCostSettings();
}

void SendClosedLinks() {
  auto& state = shared_state();
  auto& base = *require(state.gNetBase, "NetBase");
  for (std::int32_t row = 1; row <= state.gClosedLinkCount; ++row)
    state.gCallResult = base.SetLinkFlags(state.gClosedLinks[row], ClosedLinkFlags);
}

void ApplyEngineSettings(host::HostActiveView* redrawn) {
  SetResultTableAndField();
  ClearResultAndApplyCostSettings(redrawn);
}

} // namespace corvane
