#include "common/zone_renderers.h"

#include <string>
#include <utility>

#include "common/cost_band_label.h"
#include "common/layer_lookup.h"
#include "host/active_view.h"
#include "host/color_ramp.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/symbol.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "tamix/output_fields.h"

namespace corvane {

namespace {

struct ZoneClass {
  std::string value;
  std::string label;
};

// The zone ramp: pale greens to blues, the same colours for the same size in every run.
com::ComPtr<host::HostColorEnum> zone_colours(int size) {
  const auto ramp = create<host::HostRandomColorRamp>(host::RandomColorRampClass);
  ramp->SetSaturationRange(20, 40);
  ramp->SetValueRange(85, 100);
  ramp->SetHueRange(76, 188);
  ramp->SetSeed(43);
  ramp->SetUseSeed(true);
  ramp->SetSize(size);
  ramp->CreateRamp(); // a size of 0 makes no colour, and no class asks for one
  const auto colours = require(ramp->Colors(), "ColorRamp.Colors");
  colours->Reset();
  return colours;
}

com::ComPtr<host::HostSimpleFillSymbol> solid_fill() {
  const auto fill = create<host::HostSimpleFillSymbol>(host::SimpleFillSymbolClass);
  fill->SetStyle(0);
  return fill;
}

void render_zone_classes(host::HostDocument* document, host::HostMap* map,
                         std::string_view layer_name, const std::string& field,
                         std::string_view heading, const std::vector<ZoneClass>& classes) {
  const auto layer = require_as<host::HostGeoFeatureLayer>(
      map->Layer(FindLayerIndex(map, layer_name, "PG")), "zone layer");

  const auto renderer = create<host::HostUniqueValueRenderer>(host::UniqueValueRendererClass);
  renderer->SetFieldCount(1);
  renderer->SetField(0, field);
  for (const auto& zone : classes) {
    const auto fill = solid_fill();
    renderer->AddValue(zone.value, std::string(heading), fill.get());
    renderer->SetLabel(zone.value, zone.label);
  }

  const auto colours = zone_colours(renderer->ValueCount());
  for (int i = 0; i < renderer->ValueCount(); ++i) {
    const auto value = renderer->Value(i);
    if (value.empty())
      continue;
    const auto colour = require(colours->Next(), "ColorEnum.Next");
    const auto outline = create<host::HostSimpleLineSymbol>(host::SimpleLineSymbolClass);
    outline->SetColor(colour.get());
    outline->SetStyle(0);
    outline->SetWidth(0);
    const auto fill = require_as<host::HostSimpleFillSymbol>(renderer->Symbol(value), "fill");
    fill->SetColor(colour.get());
    fill->SetOutline(outline.get());
    fill->SetStyle(0);
    renderer->SetSymbol(value, fill.get());
  }
  renderer->SetColorScheme("Custom");
  renderer->SetFieldType(0, true);

  check_call(layer->SetRenderer(require_as<host::HostFeatureRenderer>(renderer, "renderer").get()),
             "SetRenderer");
  layer->SetDisplayField(field);
  const auto page = create<host::HostRendererPropertyPage>(host::UniqueValuePropertyPageClass);
  layer->SetRendererPropertyPageClassID(page->ClassID());

  const auto view = require(document->ActiveView(), "ActiveView");
  view->ContentsChanged();
  document->UpdateContents();
  view->Refresh();
}

} // namespace

void RenderZonesByCostEnd(host::HostDocument* document, host::HostMap* map,
                          std::string_view layer_name, const std::vector<float>& limits) {
  // The zone polygons' legend counts minutes for every route type but the shortest.
  const auto unit = CostBandUnit().value_or(" Minutes");
  std::vector<ZoneClass> classes;
  float previous = 0;
  for (const float limit : limits) {
    auto value = ZoneLimitText(limit);
    bool repeated = false;
    for (const auto& zone : classes)
      repeated = repeated || zone.value == value;
    if (repeated)
      continue;
    classes.push_back({std::move(value), CostBandLabel(previous, " - ", limit, unit)});
    previous = limit;
  }
  render_zone_classes(document, map, layer_name, std::string(tamix::output::cost_end_field), "COST",
                      classes);
}

void RenderZonesById(host::HostDocument* document, host::HostMap* map, std::string_view layer_name,
                     std::int32_t count) {
  std::vector<std::string> labels;
  for (std::int32_t centre = 1; centre <= count; ++centre)
    labels.push_back("Zone " + std::to_string(centre));
  RenderZonesById(document, map, layer_name, labels, "COST");
}

void RenderZonesById(host::HostDocument* document, host::HostMap* map, std::string_view layer_name,
                     const std::vector<std::string>& labels, std::string_view heading) {
  std::vector<ZoneClass> classes;
  for (std::size_t centre = 1; centre <= labels.size(); ++centre)
    classes.push_back({std::to_string(centre), labels[centre - 1]});
  render_zone_classes(document, map, layer_name, std::string(tamix::output::centre_id_field),
                      heading, classes);
}

} // namespace corvane
