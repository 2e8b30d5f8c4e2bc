#include "isochrones/centre_clicks.h"

#include <string>

#include "common/click_point.h"
#include "common/point_at.h"
#include "common/stop_label_sweep.h"
#include "host/active_view.h"
#include "isochrones/centre_set.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "win/num_text.h"

namespace corvane {

namespace {

// The network node nearest to the click, labelled `text` at the node.
std::int32_t place_centre(host::HostMap& map, host::HostPoint& click, const std::string& text) {
  auto& base = *require(shared_state().gNetBase, "NetBase");
  const auto node = NearestNode(click);
  // The user has been told why; no centre is taken from a node the engine never gave.
  if (!node)
    throw HandlerEnd("no network node for the centre");
  const auto at = point_at(base.GetNodeX(*node), base.GetNodeY(*node),
                           require(click.SpatialReference(), "SpatialReference").get());
  AddStopLabel(&map, at.get(), text);
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(&map), "view")->Refresh();
  return *node;
}

} // namespace

void StartCentreList(host::HostMap& map, host::HostPoint& click) {
  auto& state = shared_state();
  const auto node = place_centre(map, click, "1");
  state.gMarkerLabels[0] = "1";
  state.gStopNodes[0] = node;
  state.gMultiStopCount = 1;
  state.gMarkerCount = 1;
}

bool AddCentre(host::HostMap& map, host::HostPoint& click, bool last) {
  auto& state = shared_state();
  if (!RoomForAnotherCentre())
    return false;
  const std::string text = win::NumText(state.gMultiStopCount + 1);
  const auto node = place_centre(map, click, text);
  state.gStopNodes[state.gMultiStopCount] = node;
  state.gMarkerLabels[state.gMarkerCount] = text;
  ++state.gMultiStopCount;
  if (!last)
    ++state.gMarkerCount;
  return true;
}

std::vector<std::int32_t> CentreListNodes() {
  const auto& state = shared_state();
  std::vector<std::int32_t> nodes;
  for (std::int32_t centre = 0; centre < state.gMultiStopCount; ++centre)
    nodes.push_back(state.gStopNodes[centre]);
  return nodes;
}

} // namespace corvane
