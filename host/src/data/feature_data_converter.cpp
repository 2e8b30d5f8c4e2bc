#include <functional>
#include <optional>

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
// one) that passes `filter`.
template <class Visit>
void for_each_feature(HostTable* table, HostQueryFilter* filter, Visit&& visit) {
  com::ComPtr<HostCursor> cursor;
  const auto opened = table->Search(filter, false, &cursor);
  if (com::FAILED(opened))
    throw HostError(last_error_message(), opened);
  for (com::ComPtr<HostRow> row;;) {
    const auto hr = cursor->NextRow(&row);
    if (com::FAILED(hr))
      throw HostError(last_error_message(), hr);
    if (hr == com::S_FALSE)
      return;
    const auto feature = row.as<HostFeature>();
    if (!feature)
      throw HostError("a table given as features has rows without shapes", com::E_INVALIDARG);
    visit(*feature);
  }
}

int dimension_of(int shape_type) {
  switch (shape_type) {
  case geometry_polygon:
    return dimension_areas;
  case geometry_polyline:
    return dimension_lines;
  default:
    return dimension_points;
  }
}

// What a feature's shape becomes in the copy; nullopt leaves the feature out.
using Reshape = std::function<std::optional<Shape>(const Shape&)>;

// Writes the features of `input` passing `filter` into the new feature class `output`,
// each with its shape reshaped and its attribute values; the shapes keep `reference`, the
// input's coordinate system.
com::ComPtr<HostFeatureClass> copy_features(HostTable& input, HostSpatialReference* reference,
                                            HostQueryFilter* filter, HostFeatureClassName& output,
                                            const Reshape& reshape) {
  const auto workspace_name = output.WorkspaceName();
  if (!workspace_name)
    throw HostError("the output has no workspace", com::E_INVALIDARG);
  const auto input_fields = input.Fields();
  auto fields = create_fields().as<HostFieldsEdit>();
  for (int i = 0; i < input_fields->FieldCount(); ++i)
    if (input_fields->Field(i)->Type() != field_oid)
      fields->AddField(input_fields->Field(i).get());

  com::ComPtr<HostFeatureClass> created;
  const auto workspace = open_workspace(workspace_name->PathName()).as<HostFeatureWorkspace>();
  const auto made =
      workspace->CreateFeatureClass(output.Name(), fields.get(), 1, "Shape", "", &created);
  if (com::FAILED(made))
    throw HostError(last_error_message(), made);

  com::ComPtr<HostFeatureCursor> inserter;
  created->Insert(true, &inserter);
  com::ComPtr<HostFeatureBuffer> buffer;
  created->CreateFeatureBuffer(&buffer);
  for_each_feature(&input, filter, [&](HostFeature& feature) {
    const auto shape = feature.Shape();
    const auto kept = reshape(shape ? shape_of(shape.get()) : Shape{created->ShapeType(), {}});
    if (!kept)
      return;
    buffer->SetShape(make_geometry(*kept, reference).get());
    // The created class lists the input's fields in the same places (object id, shape, ...).
    for (int i = 2; i < input_fields->FieldCount(); ++i)
      buffer->SetValue(i, feature.Value(i));
    const auto inserted = inserter->InsertFeature(buffer.get(), nullptr);
    if (com::FAILED(inserted))
      throw HostError(last_error_message(), inserted);
  });
  return created;
}

class FeatureDataConverter final : public com::ComObject<HostFeatureDataConverter> {
public:
  com::HRESULT Clip(HostTable* input, bool, HostTable* clip, bool, double,
                    HostFeatureClassName* output, com::ComPtr<HostFeatureClass>* out) override {
    if (!input || !clip || !output)
      return com::E_POINTER;
    return guarded([&] {
      const auto input_class = com::ComPtr<HostTable>(input).as<HostFeatureClass>();
      if (!input_class)
        throw HostError("the clip input is not a feature class", com::E_INVALIDARG);
      const auto reference = feature_class_reference(input_class.get());

      // The clip area: the union of every clip shape, in the input's coordinate system.
      Shape area{geometry_polygon, {}};
      for_each_feature(clip, nullptr, [&](HostFeature& feature) {
        const auto shape = feature.ShapeCopy();
        if (!shape || shape->IsEmpty())
          return;
        if (reference && com::FAILED(shape->Project(reference.get())))
          throw HostError("a clip shape cannot be projected into the input's system");
        area = union_of(area, make_valid_polygon(shape_of(shape.get())));
      });

      const int dimension = dimension_of(input_class->ShapeType());
      const auto created = copy_features(*input, reference.get(), nullptr, *output,
                                         [&](const Shape& shape) -> std::optional<Shape> {
                                           Shape cut = intersection_of(shape, area, dimension);
                                           if (cut.empty())
                                             return std::nullopt;
                                           return cut;
                                         });
      if (out)
        *out = created;
    });
  }

  com::HRESULT ConvertFeatureClass(HostFeatureClass* input, HostQueryFilter* filter, com::IUnknown*,
                                   HostFeatureClassName* output,
                                   com::ComPtr<HostFeatureClass>* out) override {
    if (!input || !output)
      return com::E_POINTER;
    return guarded([&] {
      const auto table = com::ComPtr<HostFeatureClass>(input).as<HostTable>();
      if (!table)
        throw HostError("the input cannot be read as a table", com::E_INVALIDARG);
      const auto created =
          copy_features(*table, feature_class_reference(input).get(), filter, *output,
                        [](const Shape& shape) -> std::optional<Shape> { return shape; });
      if (out)
        *out = created;
    });
  }
};

} // namespace

com::ComPtr<com::IUnknown> create_feature_data_converter() {
  return com::make<FeatureDataConverter>().as<com::IUnknown>();
}

} // namespace host
