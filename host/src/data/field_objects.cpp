#include "data/field_objects.h"

#include "com/letter_case.h"
#include "com/object.h"
#include "data/host_error.h"
#include "host/geometry.h"
#include "host/table.h"

namespace host {

namespace {

class GeometryDef final : public com::ComObject<HostGeometryDefEdit> {
public:
  int GeometryType() override { return type_; }
  com::ComPtr<HostSpatialReference> SpatialReference() override { return reference_; }
  void SetGeometryType(int type) override { type_ = type; }
  void SetSpatialReference(HostSpatialReference* reference) override {
    reference_ = com::ComPtr<HostSpatialReference>(reference);
  }
  void SetGridCount(int) override {}
  void SetGridSize(int, double) override {}

private:
  int type_ = geometry_null;
  com::ComPtr<HostSpatialReference> reference_;
};

class Field final : public com::ComObject<HostFieldEdit> {
public:
  explicit Field(FieldDefinition definition) : definition_(std::move(definition)) {}
  std::string Name() override { return definition_.name; }
  std::string AliasName() override { return alias_.empty() ? definition_.name : alias_; }
  int Type() override { return definition_.type; }
  int Length() override { return definition_.length; }
  int Precision() override { return definition_.precision; }
  int Scale() override { return definition_.scale; }
  bool IsNullable() override { return nullable_; }
  bool Editable() override { return editable_; }
  bool Required() override { return required_; }
  com::Variant DefaultValue() override { return default_; }
  com::ComPtr<HostGeometryDef> GeometryDef() override { return geometry_; }
  void SetName(const std::string& name) override { definition_.name = name; }
  void SetAliasName(const std::string& alias) override { alias_ = alias; }
  void SetType(int type) override { definition_.type = type; }
  void SetLength(int length) override { definition_.length = length; }
  void SetPrecision(int precision) override { definition_.precision = precision; }
  void SetScale(int scale) override { definition_.scale = scale; }
  void SetIsNullable(bool nullable) override { nullable_ = nullable; }
  void SetEditable(bool editable) override { editable_ = editable; }
  void SetRequired(bool required) override { required_ = required; }
  void SetDefaultValue(const com::Variant& value) override { default_ = value; }
  void SetGeometryDef(HostGeometryDef* definition) override {
    geometry_ = com::ComPtr<HostGeometryDef>(definition);
  }

private:
  FieldDefinition definition_;
  std::string alias_;
  bool nullable_ = true;
  bool editable_ = true;
  bool required_ = false;
  com::Variant default_;
  com::ComPtr<HostGeometryDef> geometry_;
};

class Fields final : public com::ComObject<HostFieldsEdit> {
public:
  explicit Fields(std::vector<com::ComPtr<HostField>> fields) : fields_(std::move(fields)) {}
  int FieldCount() override { return static_cast<int>(fields_.size()); }
  com::ComPtr<HostField> Field(int i) override {
    if (i < 0 || i >= FieldCount())
      return nullptr;
    return fields_[static_cast<std::size_t>(i)];
  }
  int FindField(const std::string& name) override {
    for (int i = 0; i < FieldCount(); ++i)
      if (com::equal_ignoring_case(fields_[static_cast<std::size_t>(i)]->Name(), name))
        return i;
    return -1;
  }
  void AddField(HostField* field) override {
    if (field)
      fields_.emplace_back(field);
  }

private:
  std::vector<com::ComPtr<HostField>> fields_;
};

class Index final : public com::ComObject<HostIndexEdit> {
public:
  std::string Name() override { return name_; }
  com::ComPtr<HostFields> Fields() override { return fields_; }
  bool IsUnique() override { return unique_; }
  void SetName(const std::string& name) override { name_ = name; }
  void SetFields(HostFields* fields) override { fields_ = com::ComPtr<HostFields>(fields); }
  void SetIsUnique(bool unique) override { unique_ = unique; }

private:
  std::string name_;
  com::ComPtr<HostFields> fields_;
  bool unique_ = false;
};

} // namespace

com::ComPtr<HostFieldEdit> make_field(const FieldDefinition& definition) {
  return com::make<Field>(definition);
}

com::ComPtr<HostFieldEdit> make_oid_field(const std::string& name) {
  auto field = make_field({name, field_oid, 4, 0, 0});
  field->SetEditable(false);
  field->SetIsNullable(false);
  field->SetRequired(true);
  return field;
}

com::ComPtr<HostFieldEdit> make_shape_field(int geometry_type, HostSpatialReference* reference) {
  auto definition = com::make<GeometryDef>();
  definition->SetGeometryType(geometry_type);
  definition->SetSpatialReference(reference);
  auto field = make_field({"Shape", field_geometry, 0, 0, 0});
  field->SetGeometryDef(definition.get());
  field->SetRequired(true);
  return field;
}

com::ComPtr<HostFieldsEdit> make_fields(const std::vector<com::ComPtr<HostFieldEdit>>& fields) {
  std::vector<com::ComPtr<HostField>> list(fields.begin(), fields.end());
  return com::make<Fields>(std::move(list));
}

FieldDefinition definition_of(HostField* field) {
  if (!field)
    throw HostError("no field given", com::E_POINTER);
  return {field->Name(), field->Type(), field->Length(), field->Precision(), field->Scale()};
}

com::ComPtr<HostSpatialReference> feature_class_reference(HostFeatureClass* feature_class) {
  if (!feature_class)
    return nullptr;
  const auto fields = feature_class->Fields();
  if (!fields)
    return nullptr;
  const auto field = fields->Field(fields->FindField(feature_class->ShapeFieldName()));
  if (!field)
    return nullptr;
  const auto definition = field->GeometryDef();
  return definition ? definition->SpatialReference() : nullptr;
}

com::ComPtr<com::IUnknown> create_field() {
  return make_field({}).as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_fields() {
  return make_fields({}).as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_index() {
  return com::make<Index>().as<com::IUnknown>();
}

com::ComPtr<com::IUnknown> create_geometry_def() {
  return com::make<GeometryDef>().as<com::IUnknown>();
}

} // namespace host
