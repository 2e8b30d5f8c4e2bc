#pragma once

#include <string>
#include <vector>

#include "com/object.h"
#include "host/active_view.h"
#include "host/graphics_container.h"
#include "host/map.h"
#include "map/graphics.h"
#include "map/view_transform.h"

namespace host {

// The focus map: layers, tables, graphics and the view that shows them.
class Map final : public com::ComObject<HostMap, HostActiveView, HostGraphicsContainer,
                                        HostStandaloneTableCollection> {
public:
  std::string Name() override { return "Layers"; }
  int LayerCount() override { return static_cast<int>(layers_.size()); }
  com::ComPtr<HostLayer> Layer(int index) override;
  com::HRESULT AddLayer(HostLayer* layer) override;
  com::HRESULT DeleteLayer(HostLayer* layer) override;
  com::HRESULT MoveLayer(HostLayer* layer, int to_index) override;
  void ClearLayers() override { layers_.clear(); }
  com::ComPtr<HostSpatialReference> SpatialReference() override { return reference_; }
  void SetSpatialReference(HostSpatialReference* reference) override;
  int DistanceUnits() override { return distance_units_; }
  void SetDistanceUnits(int code) override;
  void ClearSelection() override;
  int SelectionCount() override;
  com::ComPtr<HostSelectedFeatureEnum> FeatureSelection() override;

  com::ComPtr<HostMap> FocusMap() override { return com::ComPtr<HostMap>(this); }
  com::ComPtr<HostEnvelope> Extent() override;
  com::HRESULT SetExtent(HostEnvelope* extent) override;
  com::ComPtr<HostEnvelope> FullExtent() override;
  void Refresh() override { ++refreshes_; }
  void PartialRefresh(int, com::IUnknown*, HostEnvelope*) override { ++refreshes_; }
  void ContentsChanged() override { ++refreshes_; }
  int RefreshCount() override { return refreshes_; }
  com::ComPtr<HostScreenDisplay> ScreenDisplay() override;

  com::HRESULT AddElement(HostElement* element, int z_order) override;
  com::HRESULT DeleteElement(HostElement* element) override { return graphics_.remove(element); }
  void DeleteAllElements() override { graphics_.clear(); }
  int ElementCount() override { return graphics_.count(); }
  void Reset() override { graphics_.reset(); }
  com::ComPtr<HostElement> Next() override { return graphics_.next(); }
  com::ComPtr<HostEnumElement> LocateElements(HostPoint* point, double tolerance) override;

  int StandaloneTableCount() override { return static_cast<int>(tables_.size()); }
  com::ComPtr<HostStandaloneTable> StandaloneTable(int index) override;
  com::HRESULT AddStandaloneTable(HostStandaloneTable* table) override;
  com::HRESULT RemoveStandaloneTable(HostStandaloneTable* table) override;
  void RemoveAllStandaloneTables() override { tables_.clear(); }

  const ViewTransform& view() const { return view_; }
  const std::vector<com::ComPtr<HostLayer>>& layers() const { return layers_; }
  const GraphicsList& graphics() const { return graphics_; }

private:
  void adopt_first_layer(HostLayer* layer);

  std::vector<com::ComPtr<HostLayer>> layers_;
  std::vector<com::ComPtr<HostStandaloneTable>> tables_;
  GraphicsList graphics_;
  ViewTransform view_;
  bool view_set_ = false;
  bool units_set_ = false;
  com::ComPtr<HostSpatialReference> reference_;
  int distance_units_ = UnknownUnits;
  int refreshes_ = 0;
};

// The map's pixels against map points, for the view's extent at the time of each call.
class ScreenTransform final : public com::ComObject<HostDisplayTransformation, HostScreenDisplay> {
public:
  explicit ScreenTransform(com::ComPtr<Map> map) : map_(std::move(map)) {}
  com::ComPtr<HostPoint> ToMapPoint(int x, int y) override;
  com::HRESULT FromMapPoint(HostPoint* point, int* x, int* y) override;
  com::ComPtr<HostEnvelope> VisibleBounds() override;
  int DeviceWidth() override { return ViewTransform::device_width; }
  int DeviceHeight() override { return ViewTransform::device_height; }
  double Resolution() override { return map_->view().resolution(); }
  com::ComPtr<HostDisplayTransformation> DisplayTransformation() override;

private:
  com::ComPtr<Map> map_;
};

// The map unit code (HostUnits) that goes with a coordinate system's unit; 0 when unknown.
int units_of_reference(HostSpatialReference* reference);

} // namespace host
