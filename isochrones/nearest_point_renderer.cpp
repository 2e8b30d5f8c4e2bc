#include "isochrones/nearest_point_renderer.h"

#include <string>

#include "common/layer_lookup.h"
#include "common/result_field.h"
#include "common/rgb_colour.h"
#include "host/active_view.h"
#include "host/color_ramp.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

com::ComPtr<host::HostSimpleLineSymbol> solid_line(double width) {
  const auto symbol = create<host::HostSimpleLineSymbol>(host::SimpleLineSymbolClass);
  symbol->SetStyle(0); // solid
  symbol->SetWidth(width);
  return symbol;
}

} // namespace

void RenderNearestPoint(host::HostDocument* document, host::HostMap* map, std::string_view heading,
                        std::int32_t centres) {
  const auto index = FindLayerIndex(map, shared_state().gNetworkLayerName, "L");
  const auto layer = require_as<host::HostGeoFeatureLayer>(map->Layer(index), "network layer");

  const auto ramp = create<host::HostRandomColorRamp>(host::RandomColorRampClass);
  ramp->SetSeed(43);
  ramp->SetUseSeed(true);
  ramp->SetSaturationRange(20, 40);
  ramp->SetValueRange(85, 100);
  ramp->SetHueRange(76, 188);

  const auto renderer = create<host::HostUniqueValueRenderer>(host::UniqueValueRendererClass);
  renderer->SetFieldCount(1);
  renderer->SetField(0, std::string(ResultFieldName));
  for (std::int32_t centre = 0; centre <= centres; ++centre) {
    const std::string value = std::to_string(centre);
    renderer->AddValue(value, std::string(heading), solid_line(centre == 0 ? 1.0 : 3.0).get());
    renderer->SetLabel(value, "Point " + value);
  }
  renderer->SetLabel("0", "");

  ramp->SetSize(renderer->ValueCount());
  ramp->CreateRamp();
  const auto colours = require(ramp->Colors(), "ColorRamp.Colors");
  colours->Reset();
  const auto no_centre = rgb_colour(79, 202, 255);
  for (int i = 0; i < renderer->ValueCount(); ++i) {
    const std::string value = renderer->Value(i);
    if (value.empty())
      continue;
    const auto line = require_as<host::HostSimpleLineSymbol>(renderer->Symbol(value), "symbol");
    line->SetColor(i == 0 ? no_centre.get() : require(colours->Next(), "ramp colour").get());
    renderer->SetSymbol(value, line.get());
  }
  renderer->SetColorScheme("Custom");
  renderer->SetFieldType(0, true);

  check_call(layer->SetRenderer(require_as<host::HostFeatureRenderer>(renderer, "renderer").get()),
             "SetRenderer");
  layer->SetDisplayField(std::string(ResultFieldName));
  const auto page = create<host::HostRendererPropertyPage>(host::UniqueValuePropertyPageClass);
  layer->SetRendererPropertyPageClassID(page->ClassID());
  const auto view = require(document->ActiveView(), "ActiveView");
  view->ContentsChanged();
  document->UpdateContents();
  view->Refresh();
}

} // namespace corvane
