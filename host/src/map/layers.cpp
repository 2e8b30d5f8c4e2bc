#include "map/layers.h"

#include "host/workspace.h"
#include "map/color.h"
#include "map/renderers.h"
#include "map/symbols.h"

namespace host {
namespace {

enum SelectionMethod { select_new = 0, select_add = 1, select_subtract = 2, select_and = 3 };

// Default colours: a muted grey-blue for lines, a pale green for areas, a dark blue for points.
constexpr Rgb default_line_color{110, 110, 140};
constexpr Rgb default_fill_color{205, 225, 190};
constexpr Rgb default_outline_color{90, 110, 80};
constexpr Rgb default_marker_color{60, 60, 170};

com::ComPtr<HostSymbol> default_symbol(int shape_type) {
  if (shape_type == geometry_polygon) {
    auto outline = com::make<SimpleLineSymbol>();
    outline->SetColor(make_color(default_outline_color).get());
    auto fill = com::make<SimpleFillSymbol>();
    fill->SetColor(make_color(default_fill_color).get());
    fill->SetOutline(outline.get());
    return fill;
  }
  if (shape_type == geometry_point || shape_type == geometry_multipoint) {
    auto marker = com::make<SimpleMarkerSymbol>();
    marker->SetColor(make_color(default_marker_color).get());
    marker->SetSize(5);
    return marker;
  }
  auto line = com::make<SimpleLineSymbol>();
  line->SetColor(make_color(default_line_color).get());
  return line;
}

} // namespace

void HiddenFields::set_visible(int index, bool visible) {
  if (visible)
    hidden_.erase(index);
  else
    hidden_.insert(index);
}

com::ComPtr<HostEnvelope> FeatureLayer::AreaOfInterest() {
  return feature_class_ ? feature_class_->Extent() : nullptr;
}

void FeatureLayer::SetFeatureClass(HostFeatureClass* feature_class) {
  feature_class_ = com::ComPtr<HostFeatureClass>(feature_class);
  if (feature_class_ && !renderer_)
    renderer_ = default_renderer(feature_class_->ShapeType());
}

std::string FeatureLayer::DataSourceType() {
  return feature_class_ ? "Shapefile Feature Class" : std::string();
}

com::HRESULT FeatureLayer::SetRenderer(HostFeatureRenderer* renderer) {
  if (!renderer)
    return com::E_POINTER;
  renderer_ = com::ComPtr<HostFeatureRenderer>(renderer);
  return com::S_OK;
}

void FeatureLayer::Add(HostFeature* feature) {
  if (feature && feature->HasOID())
    selected_.insert(feature->OID());
}

com::HRESULT FeatureLayer::SelectFeatures(HostQueryFilter* filter, int method, bool just_one) {
  if (!feature_class_)
    return com::E_UNEXPECTED;
  com::ComPtr<HostFeatureCursor> cursor;
  if (const auto hr = feature_class_->Search(filter, false, &cursor); com::FAILED(hr))
    return hr;
  std::set<std::int32_t> matching;
  com::ComPtr<HostFeature> feature;
  while (cursor->NextFeature(&feature) == com::S_OK && feature) {
    matching.insert(feature->OID());
    if (just_one)
      break;
  }
  switch (method) {
  case select_new:
    selected_ = std::move(matching);
    break;
  case select_add:
    selected_.insert(matching.begin(), matching.end());
    break;
  case select_subtract:
    for (auto id : matching)
      selected_.erase(id);
    break;
  case select_and:
    std::erase_if(selected_, [&](std::int32_t id) { return !matching.contains(id); });
    break;
  default:
    return com::E_INVALIDARG;
  }
  return com::S_OK;
}

std::vector<std::int32_t> FeatureLayer::SelectedIds() {
  return {selected_.begin(), selected_.end()};
}

void StandaloneTable::SetTable(HostTable* table) {
  table_ = com::ComPtr<HostTable>(table);
  if (!table_ || !name_.empty())
    return;
  if (const auto dataset = table_.as<HostDataset>())
    name_ = dataset->Name();
}

com::ComPtr<HostFeatureRenderer> default_renderer(int shape_type) {
  auto renderer = com::make<SimpleRenderer>();
  renderer->SetSymbol(default_symbol(shape_type).get());
  return renderer;
}

} // namespace host
