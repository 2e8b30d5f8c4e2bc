#include "isochrones/link_cost_ramp.h"

#include <string>

#include "common/cost_band_label.h"
#include "common/layer_lookup.h"
#include "common/rgb_colour.h"
#include "host/active_view.h"
#include "host/color_ramp.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "network/state/zone_limits.h"
#include "tamix/output_fields.h"

namespace corvane {

namespace {

constexpr float zero_class_end = 0.001F;

com::ComPtr<host::HostSymbol> line(host::HostColor* colour, double width) {
  const auto symbol = create<host::HostSimpleLineSymbol>(host::SimpleLineSymbolClass);
  symbol->SetColor(colour);
  symbol->SetWidth(width);
  return symbol;
}

com::ComPtr<host::HostSymbol> fill(host::HostColor* colour) {
  const auto symbol = create<host::HostSimpleFillSymbol>(host::SimpleFillSymbolClass);
  symbol->SetColor(colour);
  return symbol;
}

struct RgbParts {
  int red = 0;
  int green = 0;
  int blue = 0;
};

// What sets the link bands and the zone polygon bands apart.
struct CostRampLayout {
  std::string_view layer;
  std::string_view kind; // of the layer, for FindLayerIndex
  std::string_view field;
  // A thin light-blue class 0 for the values up to 0.001 (links not reached) before the zones.
  bool zero_class = false;
  std::string_view first_dash; // between 0 and the first zone's limit; "-" between later ones
  RgbParts ramp_end;
  com::ComPtr<host::HostSymbol> (*zone_symbol)(host::HostColor* colour);
};

// `breaks` holds the classes' upper values: the zero class's first when there is one.
void render_cost_ramp(host::HostDocument* document, host::HostMap* map,
                      const CostRampLayout& layout, const std::vector<float>& breaks,
                      std::int32_t count) {
  const auto index = FindLayerIndex(map, layout.layer, layout.kind);
  const auto layer = require_as<host::HostGeoFeatureLayer>(map->Layer(index), layout.layer);
  const std::int32_t first_zone = layout.zero_class ? 1 : 0;
  const std::int32_t classes = count + first_zone;
  // A count below one would leave the layer drawn with no class at all.
  if (count < 1 || breaks.size() < static_cast<std::size_t>(classes))
    throw HostCallFailed("the cost bands' " + std::to_string(classes) + " breaks",
                         com::E_INVALIDARG);

  const auto renderer = create<host::HostClassBreaksRenderer>(host::ClassBreaksRendererClass);
  renderer->SetField(std::string(layout.field));
  renderer->SetBreakCount(classes);
  if (layout.zero_class)
    renderer->SetMinimumBreak(-0.001);
  for (std::int32_t i = 0; i < classes; ++i)
    renderer->SetBreak(i, breaks[i]);

  // No labels for an unknown route type.
  if (const auto unit = CostBandUnit()) {
    if (layout.zero_class)
      renderer->SetLabel(0, "");
    for (std::int32_t i = first_zone; i < classes; ++i)
      renderer->SetLabel(i, i == first_zone
                                ? CostBandLabel(0, layout.first_dash, breaks[i], *unit)
                                : CostBandLabel(breaks[i - 1], "-", breaks[i], *unit));
  }

  const auto ramp = create<host::HostAlgorithmicColorRamp>(host::AlgorithmicColorRampClass);
  ramp->SetAlgorithm(0);
  ramp->SetSize(count);
  ramp->SetFromColor(rgb_colour(242, 233, 250).get());
  ramp->SetToColor(
      rgb_colour(layout.ramp_end.red, layout.ramp_end.green, layout.ramp_end.blue).get());
  ramp->CreateRamp();
  const auto colours = require(ramp->Colors(), "ColorRamp.Colors");
  colours->Reset();
  if (layout.zero_class)
    renderer->SetSymbol(0, line(rgb_colour(79, 202, 255).get(), 1.0).get());
  for (std::int32_t i = first_zone; i < classes; ++i)
    renderer->SetSymbol(i, layout.zone_symbol(colours->Next().get()).get());

  const auto look = require_as<host::HostClassBreaksUIProperties>(renderer, "UIProperties");
  look->SetColorRamp("MyCustomRamp");
  // The last link class keeps the zero class's end as its low value, as it always had.
  for (std::int32_t i = 0; i < classes; ++i)
    look->SetLowBreak(i, layout.zero_class && i == count ? zero_class_end : breaks[i]);

  check_call(layer->SetRenderer(require_as<host::HostFeatureRenderer>(renderer, "renderer").get()),
             "SetRenderer");
  const auto page = create<host::HostRendererPropertyPage>(host::ClassBreaksPropertyPageClass);
  layer->SetRendererPropertyPageClassID(page->ClassID());
  document->UpdateContents();
  require(document->ActiveView(), "ActiveView")->Refresh();
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
  render_cost_ramp(document, map,
                   {.layer = shared_state().gNetworkLayerName,
                    .kind = "L",
                    .field = field,
                    .zero_class = true,
                    .first_dash = " - ",
                    .ramp_end = {56, 45, 121},
                    .zone_symbol = [](host::HostColor* colour) { return line(colour, 3.0); }},
                   breaks, count);
}

void RenderZoneCostRamp(host::HostDocument* document, host::HostMap* map,
                        std::string_view layer_name, const std::vector<float>& limits,
                        std::int32_t count) {
  render_cost_ramp(document, map,
                   {.layer = layer_name,
                    .kind = "PG",
                    .field = tamix::output::cost_end_field,
                    .first_dash = "-",
                    .ramp_end = {255, 190, 199},
                    .zone_symbol = fill},
                   limits, count);
}

} // namespace corvane
