#include "com/object.h"
#include "data/data_tools.h"
#include "data/field_objects.h"
#include "data/host_error.h"
#include "data/workspace_objects.h"
#include "geometry/ogr_bridge.h"
#include "geometry/shape_access.h"
#include "host/data_tools.h"

namespace host {

namespace {

// Calls `visit` with every feature of a table (a feature class or an object answering for
// one).
template <class Visit> void for_each_feature(HostTable* table, Visit&& visit) {
  com::ComPtr<HostCursor> cursor;
  const auto opened = table->Search(nullptr, false, &cursor);
  if (com::FAILED(opened)) throw HostError(last_error_message(), opened);
  for (com::ComPtr<HostRow> row;;) {
    const auto hr = cursor->NextRow(&row);
    if (com::FAILED(hr)) throw HostError(last_error_message(), hr);
    if (hr == com::S_FALSE) return;
    const auto feature = row.as<HostFeature>();
    if (!feature) throw HostError("a clip table has rows without shapes", com::E_INVALIDARG);
    visit(*feature);
  }
}

com::ComPtr<HostSpatialReference> reference_of(HostTable& table) {
  const auto fields = table.Fields();
  for (int i = 0; i < fields->FieldCount(); ++i)
    if (const auto definition = fields->Field(i)->GeometryDef()) return definition->SpatialReference();
  return nullptr;
}

int dimension_of(int shape_type) {
  switch (shape_type) {
  case geometry_polygon: return dimension_areas;
  case geometry_polyline: return dimension_lines;
  default: return dimension_points;
  }
}

class FeatureDataConverter final : public com::ComObject<HostFeatureDataConverter> {
public:
  com::HRESULT Clip(HostTable* input, bool, HostTable* clip, bool, double,
      HostFeatureClassName* output, com::ComPtr<HostFeatureClass>* out) override {
    if (!input || !clip || !output || !output->WorkspaceName()) return com::E_POINTER;
    return guarded([&] {
      const auto input_class = com::ComPtr<HostTable>(input).as<HostFeatureClass>();
      if (!input_class) throw HostError("the clip input is not a feature class", com::E_INVALIDARG);
      const auto reference = reference_of(*input);

      // The clip area: the union of every clip shape, in the input's coordinate system.
      Shape area{geometry_polygon, {}};
      for_each_feature(clip, [&](HostFeature& feature) {
        const auto shape = feature.ShapeCopy();
        if (!shape || shape->IsEmpty()) return;
        if (reference && com::FAILED(shape->Project(reference.get())))
          throw HostError("a clip shape cannot be projected into the input's system");
        area = union_of(area, make_valid_polygon(shape_of(shape.get())));
      });

      const auto input_fields = input->Fields();
      const auto fields = fields_without_oid(*input_fields);
      com::ComPtr<HostFeatureClass> created;
      const auto workspace = open_workspace(output->WorkspaceName()->PathName())
                                 .as<HostFeatureWorkspace>();
      const auto made = workspace->CreateFeatureClass(output->Name(), fields.get(), 1, "Shape", "",
          &created);
      if (com::FAILED(made)) throw HostError(last_error_message(), made);

      com::ComPtr<HostFeatureCursor> inserter;
      created->Insert(true, &inserter);
      com::ComPtr<HostFeatureBuffer> buffer;
      created->CreateFeatureBuffer(&buffer);
      const int dimension = dimension_of(input_class->ShapeType());
      for_each_feature(input, [&](HostFeature& feature) {
        const auto shape = feature.Shape();
        if (!shape || shape->IsEmpty()) return;
        const Shape cut = intersection_of(shape_of(shape.get()), area, dimension);
        if (cut.empty()) return;
        buffer->SetShape(make_geometry(cut, reference.get()).get());
        for (int i = 2; i < input_fields->FieldCount(); ++i) buffer->SetValue(i, feature.Value(i));
        const auto inserted = inserter->InsertFeature(buffer.get(), nullptr);
        if (com::FAILED(inserted)) throw HostError(last_error_message(), inserted);
      });
      if (out) *out = created;
    });
  }

private:
  static com::ComPtr<HostFieldsEdit> fields_without_oid(HostFields& fields) {
    auto copy = create_fields().as<HostFieldsEdit>();
    for (int i = 0; i < fields.FieldCount(); ++i)
      if (fields.Field(i)->Type() != field_oid) copy->AddField(fields.Field(i).get());
    return copy;
  }
};

} // namespace

com::ComPtr<com::IUnknown> create_feature_data_converter() {
  return com::make<FeatureDataConverter>().as<com::IUnknown>();
}

} // namespace host
