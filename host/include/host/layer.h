#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/guid.h"
#include "com/unknown.h"
#include "host/geometry.h"
#include "host/query_filter.h"
#include "host/renderer.h"
#include "host/row.h"
#include "host/table.h"

namespace host {

// An entry of the map's table of contents.
struct HostLayer : com::IUnknown {
  COM_INTERFACE(HostLayer, com::IUnknown, "29D867D6-E17A-4B74-B0BC-9B17DEB3705C")
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual bool Visible() = 0;
  virtual void SetVisible(bool visible) = 0;
  // The extent of the layer's data in its own coordinates; null for a layer without data.
  virtual com::ComPtr<HostEnvelope> AreaOfInterest() = 0;
};

// A layer that shows a feature class.
struct HostFeatureLayer : HostLayer {
  COM_INTERFACE(HostFeatureLayer, HostLayer, "802A52F7-2CC5-4216-AE74-AC35A1F965AF")
  virtual com::ComPtr<HostFeatureClass> FeatureClass() = 0;
  virtual void SetFeatureClass(HostFeatureClass* feature_class) = 0;
  // "Shapefile Feature Class" for a layer over a shapefile; "" without a feature class.
  virtual std::string DataSourceType() = 0;
  virtual bool Selectable() = 0;
  virtual void SetSelectable(bool selectable) = 0;
  // The field whose value names a feature in the layer's displays ("" = none).
  virtual std::string DisplayField() = 0;
  virtual void SetDisplayField(const std::string& name) = 0;
};

// The drawing side of a feature layer. A new layer draws with a simple renderer in a colour
// of the host's choosing.
struct HostGeoFeatureLayer : HostFeatureLayer {
  COM_INTERFACE(HostGeoFeatureLayer, HostFeatureLayer, "8003C578-90E4-4857-9E22-7AF0FD063C17")
  virtual com::ComPtr<HostFeatureRenderer> Renderer() = 0;
  // A null renderer is refused (E_POINTER) and the layer keeps the one it had.
  virtual com::HRESULT SetRenderer(HostFeatureRenderer* renderer) = 0;
  // The property page that edits the renderer, remembered by its class identifier.
  virtual com::CLSID RendererPropertyPageClassID() = 0;
  virtual void SetRendererPropertyPageClassID(const com::CLSID& id) = 0;
};

// Which fields a table display of the layer (or standalone table) shows, by field position.
// Every field is shown until hidden; positions outside the table are ignored.
struct HostLayerFields : com::IUnknown {
  COM_INTERFACE(HostLayerFields, com::IUnknown, "F8BAB777-8621-4BF4-BEDE-D292527547A1")
  virtual bool FieldVisible(int index) = 0;
  virtual void SetFieldVisible(int index, bool visible) = 0;
};

// The selected features of a feature layer, as feature ids in ascending order.
struct HostFeatureSelection : com::IUnknown {
  COM_INTERFACE(HostFeatureSelection, com::IUnknown, "929E2ED3-BBDC-45F1-921F-F5C8994286D3")
  virtual void Clear() = 0;
  virtual void Add(HostFeature* feature) = 0;
  // Method 0 = a new selection, 1 = add to it, 2 = remove from it, 3 = keep only those also
  // matching. just_one stops at the first feature. A filter the feature class rejects fails
  // with its error and leaves the selection as it was.
  virtual com::HRESULT SelectFeatures(HostQueryFilter* filter, int method, bool just_one) = 0;
  virtual std::vector<std::int32_t> SelectedIds() = 0;
};

// A table without geometry in the map.
struct HostStandaloneTable : com::IUnknown {
  COM_INTERFACE(HostStandaloneTable, com::IUnknown, "66E3F431-50CE-404E-8881-4A84017835DE")
  virtual std::string Name() = 0;
  virtual void SetName(const std::string& name) = 0;
  virtual com::ComPtr<HostTable> Table() = 0;
  // Also names the entry after the table when it has no name yet.
  virtual void SetTable(HostTable* table) = 0;
};

// New feature layers and standalone tables also support HostLayerFields; a feature layer
// is a HostGeoFeatureLayer and a HostFeatureSelection as well.
inline constexpr std::string_view FeatureLayerClass = "esricore.FeatureLayer";
inline constexpr std::string_view StandaloneTableClass = "esricore.StandaloneTable";

} // namespace host
