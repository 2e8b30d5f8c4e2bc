#include "isochrones/link_cost_ramp.h"

#include <optional>
#include <string>

#include "com/numbers.h"
#include "common/handler_end.h"
#include "common/layer_lookup.h"
#include "common/rgb_colour.h"
#include "host/active_view.h"
#include "host/color_ramp.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "network/shared_state.h"
#include "network/zone_limits.h"

namespace corvane {

namespace {

constexpr float zero_class_end = 0.001F;

std::string break_text(double value) {
  return com::number_text(static_cast<float>(value), com::single_digits);
}

// The unit after a label, by route type; no labels for an unknown type.
std::optional<std::string> label_unit() {
  const auto& state = shared_state();
  if (state.gRouteType == RouteShortest)
    return " " + state.gDistUnits;
  if (state.gRouteType == RouteFastest)
    return std::string(" Minutes");
  return std::nullopt;
}

com::ComPtr<host::HostSimpleLineSymbol> line(host::HostColor* colour, double width) {
  const auto symbol = create<host::HostSimpleLineSymbol>(host::SimpleLineSymbolClass);
  symbol->SetColor(colour);
  symbol->SetWidth(width);
  return symbol;
}

} // namespace

std::vector<float> LinkZoneBreaks() {
  std::vector<float> breaks{zero_class_end};
  for (const float limit : ZoneLimits())
    breaks.push_back(limit);
  return breaks;
}

void RenderLinkCostRamp(host::HostDocument* document, host::HostMap* map, std::string_view field,
                        const std::vector<float>& breaks, std::int32_t count) {
  const auto index = FindLayerIndex(map, shared_state().gNetworkLayerName, "L");
  const auto layer = require_as<host::HostGeoFeatureLayer>(map->Layer(index), "network layer");

  const auto renderer = create<host::HostClassBreaksRenderer>(host::ClassBreaksRendererClass);
  renderer->SetField(std::string(field));
  renderer->SetBreakCount(count + 1);
  renderer->SetMinimumBreak(-0.001);
  for (std::int32_t i = 0; i <= count; ++i)
    renderer->SetBreak(i, breaks.at(i));

  if (const auto unit = label_unit()) {
    renderer->SetLabel(0, "");
    for (std::int32_t i = 1; i <= count; ++i)
      renderer->SetLabel(i, (i == 1 ? "0 - " : break_text(renderer->Break(i - 1)) + "-") +
                                break_text(renderer->Break(i)) + *unit);
  }

  const auto ramp = create<host::HostAlgorithmicColorRamp>(host::AlgorithmicColorRampClass);
  ramp->SetAlgorithm(0);
  ramp->SetSize(count);
  ramp->SetFromColor(rgb_colour(242, 233, 250).get());
  ramp->SetToColor(rgb_colour(56, 45, 121).get());
  ramp->CreateRamp();
  const auto colours = require(ramp->Colors(), "ColorRamp.Colors");
  colours->Reset();
  renderer->SetSymbol(0, line(rgb_colour(79, 202, 255).get(), 1.0).get());
  for (std::int32_t i = 1; i <= count; ++i)
    renderer->SetSymbol(i, line(colours->Next().get(), 3.0).get());

  const auto look = require_as<host::HostClassBreaksUIProperties>(renderer, "UIProperties");
  look->SetColorRamp("MyCustomRamp");
  for (std::int32_t i = 0; i <= count; ++i)
    look->SetLowBreak(i, i < count ? breaks.at(i) : zero_class_end);

  check_call(layer->SetRenderer(require_as<host::HostFeatureRenderer>(renderer, "renderer").get()),
             "SetRenderer");
  const auto page = create<host::HostRendererPropertyPage>(host::ClassBreaksPropertyPageClass);
  layer->SetRendererPropertyPageClassID(page->ClassID());
  document->UpdateContents();
  require(document->ActiveView(), "ActiveView")->Refresh();
}

} // namespace corvane
