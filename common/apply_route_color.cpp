#include "common/apply_route_color.h"

#include "common/solid_line_renderer.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

void ApplyRouteColor(host::HostMap* map, host::HostActiveView* view) {
  const auto& state = shared_state();
  const auto renderer =
      solid_line_renderer(state.gRouteColorRed, state.gRouteColorGreen, state.gRouteColorBlue, 2.0);
  const auto layer = require_as<host::HostGeoFeatureLayer>(map->Layer(0), "top layer");
  check_call(layer->SetRenderer(renderer.get()), "SetRenderer");
  view->Refresh();
}

} // namespace corvane
