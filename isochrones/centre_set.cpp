#include "isochrones/centre_set.h"

#include <string>

#include "common/show_message.h"
#include "network/state/network_loaded.h"
#include "network/state/shared_state.h"

namespace corvane {

bool network_loaded_or_drop_centres(std::int32_t& centre_set_open) {
  if (network_loaded())
    return true;
  centre_set_open = 0;
  return false;
}

bool RoomForAnotherCentre() {
  const auto& state = shared_state();
  if (state.gMultiStopCount <= state.gStopNodes.upper() &&
      state.gMarkerCount <= state.gMarkerLabels.upper())
    return true;
  show_message("A set takes at most " + std::to_string(state.gStopNodes.upper() + 1) + " centres",
               "Too many centres", forms::Icon::Exclamation);
  return false;
}

} // namespace corvane
