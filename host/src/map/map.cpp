#include "map/map.h"

#include <algorithm>
#include <cmath>

#include "data/field_objects.h"
#include "host/spatial_reference.h"
#include "map/geometry_factory.h"
#include "map/layers.h"

namespace host {
namespace {

template <class T> auto find_in(std::vector<com::ComPtr<T>>& list, T* item) {
  return std::find_if(list.begin(), list.end(), [item](const auto& e) { return e.get() == item; });
}

// Layers and tables are in the map at most once.
template <class T>
com::HRESULT insert_once(std::vector<com::ComPtr<T>>& list, T* item, bool at_front) {
  if (!item)
    return com::E_POINTER;
  if (find_in(list, item) != list.end())
    return com::E_INVALIDARG;
  list.insert(at_front ? list.begin() : list.end(), com::ComPtr<T>(item));
  return com::S_OK;
}

template <class T> com::HRESULT remove_from(std::vector<com::ComPtr<T>>& list, T* item) {
  const auto it = find_in(list, item);
  if (it == list.end())
    return com::E_INVALIDARG;
  list.erase(it);
  return com::S_OK;
}

// Walks the selected features of the map's feature layers, top layer first.
class SelectedFeatures final : public com::ComObject<HostSelectedFeatureEnum> {
public:
  explicit SelectedFeatures(std::vector<com::ComPtr<HostLayer>> layers)
      : layers_(std::move(layers)) {}
  void Reset() override {
    layer_ = 0;
    id_ = 0;
  }
  com::ComPtr<HostFeature> Next() override;

private:
  std::vector<com::ComPtr<HostLayer>> layers_;
  std::size_t layer_ = 0;
  std::size_t id_ = 0;
};

com::ComPtr<HostFeature> SelectedFeatures::Next() {
  for (; layer_ < layers_.size(); ++layer_, id_ = 0) {
    const auto selection = layers_[layer_].as<HostFeatureSelection>();
    const auto feature_layer = layers_[layer_].as<HostFeatureLayer>();
    if (!selection || !feature_layer || !feature_layer->FeatureClass())
      continue;
    const auto ids = selection->SelectedIds();
    while (id_ < ids.size()) {
      com::ComPtr<HostFeature> feature;
      if (com::SUCCEEDED(feature_layer->FeatureClass()->GetFeature(ids[id_++], &feature)))
        return feature;
    }
  }
  return nullptr;
}

} // namespace

int units_of_reference(HostSpatialReference* reference) {
  if (!reference)
    return UnknownUnits;
  const com::ComPtr<HostSpatialReference> sr(reference);
  if (sr.as<HostGeographicCoordinateSystem>())
    return DecimalDegrees;
  const auto projected = sr.as<HostProjectedCoordinateSystem>();
  const auto unit = projected ? projected->CoordinateUnit() : nullptr;
  if (!unit)
    return UnknownUnits;
  switch (unit->FactoryCode()) {
  case 9001:
    return Meters;
  case 9002:
  case 9003:
    return Feet;
  case 9036:
    return Kilometers;
  case 9030:
    return NauticalMiles;
  case 9096:
    return Yards;
  case 9035:
    return Miles;
  default:
    return UnknownUnits;
  }
}

com::ComPtr<HostLayer> Map::Layer(int index) {
  if (index < 0 || index >= LayerCount())
    return nullptr;
  return layers_[index];
}

void Map::adopt_first_layer(HostLayer* layer) {
  const auto feature_layer = com::ComPtr<HostLayer>(layer).as<HostFeatureLayer>();
  if (!feature_layer)
    return;
  if (!reference_) {
    reference_ = feature_class_reference(feature_layer->FeatureClass().get());
    if (!units_set_)
      distance_units_ = units_of_reference(reference_.get());
  }
  if (!view_set_) {
    MapRect extent;
    if (rect_of(layer->AreaOfInterest().get(), &extent) && extent.width() > 0 &&
        extent.height() > 0) {
      view_.requested = extent;
      view_set_ = true;
    }
  }
}

com::HRESULT Map::AddLayer(HostLayer* layer) {
  const auto hr = insert_once(layers_, layer, true);
  if (com::SUCCEEDED(hr))
    adopt_first_layer(layer);
  return hr;
}

com::HRESULT Map::DeleteLayer(HostLayer* layer) {
  return remove_from(layers_, layer);
}

com::HRESULT Map::MoveLayer(HostLayer* layer, int to_index) {
  const auto it = find_in(layers_, layer);
  if (it == layers_.end())
    return com::E_INVALIDARG;
  auto moved = *it;
  layers_.erase(it);
  const auto position = std::clamp(to_index, 0, LayerCount());
  layers_.insert(layers_.begin() + position, std::move(moved));
  return com::S_OK;
}

void Map::SetSpatialReference(HostSpatialReference* reference) {
  reference_ = com::ComPtr<HostSpatialReference>(reference);
}

void Map::SetDistanceUnits(int code) {
  distance_units_ = code;
  units_set_ = true;
}

void Map::ClearSelection() {
  for (const auto& layer : layers_)
    if (const auto selection = layer.as<HostFeatureSelection>())
      selection->Clear();
}

int Map::SelectionCount() {
  int count = 0;
  for (const auto& layer : layers_)
    if (const auto selection = layer.as<HostFeatureSelection>())
      count += static_cast<int>(selection->SelectedIds().size());
  return count;
}

com::ComPtr<HostSelectedFeatureEnum> Map::FeatureSelection() {
  return com::make<SelectedFeatures>(layers_);
}

com::ComPtr<HostEnvelope> Map::Extent() {
  return new_envelope(view_.visible(), reference_.get());
}

com::HRESULT Map::SetExtent(HostEnvelope* extent) {
  MapRect rect;
  // An infinite or overflowing extent would make every screen transformation meaningless.
  if (!rect_of(extent, &rect) || !(rect.width() > 0 && std::isfinite(rect.width())) ||
      !(rect.height() > 0 && std::isfinite(rect.height())))
    return com::E_INVALIDARG;
  view_.requested = rect;
  view_set_ = true;
  return com::S_OK;
}

com::ComPtr<HostEnvelope> Map::FullExtent() {
  bool any = false;
  MapRect all;
  for (const auto& layer : layers_) {
    MapRect extent;
    if (!rect_of(layer->AreaOfInterest().get(), &extent))
      continue;
    all = any ? all.united(extent) : extent;
    any = true;
  }
  return any ? new_envelope(all, reference_.get()) : nullptr;
}

com::ComPtr<HostScreenDisplay> Map::ScreenDisplay() {
  return com::make<ScreenTransform>(com::ComPtr<Map>(this));
}

com::HRESULT Map::AddElement(HostElement* element, int) {
  return graphics_.add(element);
}

com::ComPtr<HostEnumElement> Map::LocateElements(HostPoint* point, double tolerance) {
  if (!point || point->IsEmpty())
    return nullptr;
  return graphics_.locate(point->X(), point->Y(), std::max(tolerance, 0.0), view_.resolution());
}

com::ComPtr<HostStandaloneTable> Map::StandaloneTable(int index) {
  if (index < 0 || index >= StandaloneTableCount())
    return nullptr;
  return tables_[index];
}

com::HRESULT Map::AddStandaloneTable(HostStandaloneTable* table) {
  return insert_once(tables_, table, false);
}

com::HRESULT Map::RemoveStandaloneTable(HostStandaloneTable* table) {
  return remove_from(tables_, table);
}

com::ComPtr<HostPoint> ScreenTransform::ToMapPoint(int x, int y) {
  double mx = 0, my = 0;
  map_->view().to_map(x, y, &mx, &my);
  return new_point(mx, my, map_->SpatialReference().get());
}

com::HRESULT ScreenTransform::FromMapPoint(HostPoint* point, int* x, int* y) {
  if (!point || !x || !y)
    return com::E_POINTER;
  double px = 0, py = 0;
  map_->view().to_pixel(point->X(), point->Y(), &px, &py);
  *x = static_cast<int>(std::lround(px));
  *y = static_cast<int>(std::lround(py));
  return com::S_OK;
}

com::ComPtr<HostEnvelope> ScreenTransform::VisibleBounds() {
  return new_envelope(map_->view().visible(), map_->SpatialReference().get());
}

com::ComPtr<HostDisplayTransformation> ScreenTransform::DisplayTransformation() {
  return com::ComPtr<HostDisplayTransformation>(this);
}

} // namespace host
