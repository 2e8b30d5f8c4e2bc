#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/layer.h"
#include "host/row.h"
#include "host/spatial_reference.h"

namespace host {

// Distance unit codes of the map (the platform's unit enumeration).
enum HostUnits : int {
  UnknownUnits = 0,
  Inches = 1,
  Points = 2,
  Feet = 3,
  Yards = 4,
  Miles = 5,
  NauticalMiles = 6,
  Millimeters = 7,
  Centimeters = 8,
  Meters = 9,
  Kilometers = 10,
  DecimalDegrees = 11,
  Decimeters = 12,
};

// The map's selected features over all its feature layers, layer by layer from the top.
struct HostSelectedFeatureEnum : com::IUnknown {
  COM_INTERFACE(HostSelectedFeatureEnum, com::IUnknown, "9DFB3081-1AD0-46B5-95F8-9AB97EF1A1C7")
  virtual void Reset() = 0;
  // Null at the end.
  virtual com::ComPtr<HostFeature> Next() = 0;
};

// The map. Layers are in table-of-contents order: 0 is the top layer, drawn last.
struct HostMap : com::IUnknown {
  COM_INTERFACE(HostMap, com::IUnknown, "E9B0FF64-68B5-4F3E-AF87-0505D4EC7B98")
  virtual std::string Name() = 0;
  virtual int LayerCount() = 0;
  // Null for an index outside 0..LayerCount-1.
  virtual com::ComPtr<HostLayer> Layer(int index) = 0;
  // The new layer becomes layer 0. The first layer with data also gives an empty map its
  // spatial reference and sets the view to the layer's extent. Adding a layer that is
  // already in the map fails with E_INVALIDARG.
  virtual com::HRESULT AddLayer(HostLayer* layer) = 0;
  // E_INVALIDARG when the layer is not in the map.
  virtual com::HRESULT DeleteLayer(HostLayer* layer) = 0;
  // Moves a layer to a position (clamped to the list); E_INVALIDARG when it is not in the map.
  virtual com::HRESULT MoveLayer(HostLayer* layer, int to_index) = 0;
  virtual void ClearLayers() = 0;
  virtual com::ComPtr<HostSpatialReference> SpatialReference() = 0;
  virtual void SetSpatialReference(HostSpatialReference* reference) = 0;
  // A HostUnits code.
  virtual int DistanceUnits() = 0;
  virtual void SetDistanceUnits(int code) = 0;
  // Clears the selection of every feature layer.
  virtual void ClearSelection() = 0;
  virtual int SelectionCount() = 0;
  virtual com::ComPtr<HostSelectedFeatureEnum> FeatureSelection() = 0;
};

// The map's tables without geometry, in the order they were added.
struct HostStandaloneTableCollection : com::IUnknown {
  COM_INTERFACE(HostStandaloneTableCollection, com::IUnknown,
                "96F94D7C-5B7D-4E91-A996-2CA9F7FBB741")
  virtual int StandaloneTableCount() = 0;
  // Null for an index outside the collection.
  virtual com::ComPtr<HostStandaloneTable> StandaloneTable(int index) = 0;
  virtual com::HRESULT AddStandaloneTable(HostStandaloneTable* table) = 0;
  // E_INVALIDARG when the table is not in the map.
  virtual com::HRESULT RemoveStandaloneTable(HostStandaloneTable* table) = 0;
  virtual void RemoveAllStandaloneTables() = 0;
};

} // namespace host
