#include "network/network_entering.h"

#include <string>

#include "com/error_info.h"
#include "common/engine_error_text.h"
#include "common/show_message.h"

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

void EnterLoadedNetwork(const StoredSettings& stored, const EntryDefaults& defaults) {
  auto& state = shared_state();
  state.gUseDescField = 0;
  state.gTspMode = stored.tsp_mode.value_or(defaults.tsp_mode);
  state.gRouteType = RouteShortest;
  state.gNetworkState = NetworkLoaded;
  state.gAllowOverlap = Overlap::None;
  state.gClipMode = ClipMode::Off;
  state.gDoughnut = true;
  const auto colour = stored.colour.value_or(defaults.colour);
  state.gRouteColorRed = colour[0];
  state.gRouteColorGreen = colour[1];
  state.gRouteColorBlue = colour[2];
  state.gNetworkResultPresent = false;
}

} // namespace corvane
