#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "com/object.h"
#include "host/layer.h"

namespace host {

// Which field positions a table display hides; shared by layers and standalone tables.
class HiddenFields {
public:
  bool visible(int index) const { return !hidden_.contains(index); }
  void set_visible(int index, bool visible);

private:
  std::set<int> hidden_;
};

class FeatureLayer final
    : public com::ComObject<HostGeoFeatureLayer, HostLayerFields, HostFeatureSelection> {
public:
  std::string Name() override { return name_; }
  void SetName(const std::string& name) override { name_ = name; }
  bool Visible() override { return visible_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  com::ComPtr<HostEnvelope> AreaOfInterest() override;

  com::ComPtr<HostFeatureClass> FeatureClass() override { return feature_class_; }
  // A layer without a renderer gets the default one for the class's shape type.
  void SetFeatureClass(HostFeatureClass* feature_class) override;
  std::string DataSourceType() override;
  bool Selectable() override { return selectable_; }
  void SetSelectable(bool selectable) override { selectable_ = selectable; }
  std::string DisplayField() override { return display_field_; }
  void SetDisplayField(const std::string& name) override { display_field_ = name; }

  com::ComPtr<HostFeatureRenderer> Renderer() override { return renderer_; }
  com::HRESULT SetRenderer(HostFeatureRenderer* renderer) override;
  com::CLSID RendererPropertyPageClassID() override { return page_id_; }
  void SetRendererPropertyPageClassID(const com::CLSID& id) override { page_id_ = id; }

  bool FieldVisible(int index) override { return fields_.visible(index); }
  void SetFieldVisible(int index, bool visible) override { fields_.set_visible(index, visible); }

  void Clear() override { selected_.clear(); }
  void Add(HostFeature* feature) override;
  com::HRESULT SelectFeatures(HostQueryFilter* filter, int method, bool just_one) override;
  std::vector<std::int32_t> SelectedIds() override;

private:
  std::string name_;
  bool visible_ = true;
  bool selectable_ = true;
  std::string display_field_;
  com::ComPtr<HostFeatureClass> feature_class_;
  com::ComPtr<HostFeatureRenderer> renderer_;
  com::CLSID page_id_;
  HiddenFields fields_;
  std::set<std::int32_t> selected_;
};

class StandaloneTable final : public com::ComObject<HostStandaloneTable, HostLayerFields> {
public:
  std::string Name() override { return name_; }
  void SetName(const std::string& name) override { name_ = name; }
  com::ComPtr<HostTable> Table() override { return table_; }
  void SetTable(HostTable* table) override;
  bool FieldVisible(int index) override { return fields_.visible(index); }
  void SetFieldVisible(int index, bool visible) override { fields_.set_visible(index, visible); }

private:
  std::string name_;
  com::ComPtr<HostTable> table_;
  HiddenFields fields_;
};

// The renderer a new layer draws with: one symbol suited to the shape type.
com::ComPtr<HostFeatureRenderer> default_renderer(int shape_type);

} // namespace host
