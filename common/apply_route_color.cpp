#include "common/apply_route_color.h"

#include "com/create.h"
#include "common/handler_end.h"
#include "host/color.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "network/shared_state.h"

namespace corvane {

void ApplyRouteColor(host::HostMap* map, host::HostActiveView* view) {
  const auto& state = shared_state();
  const auto colour = create<host::HostRgbColor>(host::RgbColorClass);
  colour->SetRed(state.gRouteColorRed);
  colour->SetGreen(state.gRouteColorGreen);
  colour->SetBlue(state.gRouteColorBlue);
  const auto line = create<host::HostSimpleLineSymbol>(host::SimpleLineSymbolClass);
  line->SetStyle(0);
  line->SetWidth(2.0);
  line->SetColor(colour.get());
  const auto renderer = create<host::HostSimpleRenderer>(host::SimpleRendererClass);
  renderer->SetSymbol(line.get());
  const auto layer = require_as<host::HostGeoFeatureLayer>(map->Layer(0), "top layer");
  check_call(layer->SetRenderer(renderer.get()), "SetRenderer");
  view->Refresh();
}

} // namespace corvane
