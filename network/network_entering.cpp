#include "network/network_entering.h"

#include <string>
#include <vector>

#include "com/error_info.h"
#include "common/engine_error_text.h"
#include "common/show_message.h"
#include "network/state/shared_state.h"
#include "network/zone_settings.h"

namespace corvane {

bool EngineCallSucceeded(tamix::NetBase& tantest, std::string_view what) {
  const auto code = shared_state().gEngineResult;
  if (code == 0)
    return true;
  const auto reason = tantest.LastErrorText();
  // A network file the engine could not write: which one and why (a full disk) is the whole
  // failure, and heads the box; the code's own text would only guess at it.
  if (code == EngineOutputFileFailed && !reason.empty()) {
    com::TakeErrorInfo();
    show_message(std::string(what) + reason, "Error", forms::Icon::Critical);
    return false;
  }
  show_message(std::string(what) + EngineErrorText(code) + (reason.empty() ? "" : "\n" + reason),
               "Error", forms::Icon::Critical);
  return false;
}

bool LoadEngineNetwork(tamix::NetBase& tantest) {
  shared_state().gEngineResult = tantest.LoadNetwork();
  return EngineCallSucceeded(tantest, NetworkNotLoaded);
}

void EnterLoadedNetwork(const com::ComPtr<tamix::NetBase>& tantest, const StoredSettings& stored,
                        EntryWay way) {
  auto& state = shared_state();
  const bool built = way == EntryWay::built;
  StoreClosedLinks(stored.closed_links.value_or(std::vector<std::int32_t>{}));
  StoreTempSpeeds(stored.temp_speeds.value_or(std::vector<TempSpeedRow>{}));
  StoreZoneSettings(built ? stored.zones_or_default() : stored.zones.value_or(std::vector<float>{}),
                    !built);
  state.gUseDescField = 0;
  state.gTspMode = stored.tsp_mode.value_or(built ? NewNetworkTspMode : state.gTspMode);
  state.gRouteType = RouteShortest;
  state.gNetworkState = NetworkLoaded;
  state.gAllowOverlap = Overlap::None;
  state.gClipMode = ClipMode::Off;
  state.gDoughnut = true;
  const auto colour =
      stored.colour.value_or(built ? NewNetworkColour : std::array<std::int16_t, 3>{0, 0, 0});
  state.gRouteColorRed = colour[0];
  state.gRouteColorGreen = colour[1];
  state.gRouteColorBlue = colour[2];
  state.gNetworkResultPresent = false;
  state.gNetBase = tantest;
  show_message(built ? "Network created successfully" : "Network loaded successfully",
               "Network Loaded", forms::Icon::Information);
}

} // namespace corvane
