#include "common/layer_spatial_reference.h"

#include "host/fields.h"
#include "network/state/handler_end.h"

namespace corvane {

com::ComPtr<host::HostSpatialReference>
GetLayerSpatialReference(host::HostFeatureClass* feature_class) {
  const auto fields = require(feature_class->Fields(), "FeatureClass.Fields");
  const int shape_field = fields->FindField(feature_class->ShapeFieldName());
  const auto field = require(fields->Field(shape_field), "Fields.Field");
  return require(field->GeometryDef(), "Field.GeometryDef")->SpatialReference();
}

} // namespace corvane
