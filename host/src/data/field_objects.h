#pragma once

#include <vector>

#include "com/unknown.h"
#include "data/field_mapping.h"
#include "host/fields.h"
#include "host/table.h"

namespace host {

// A new field object with the given definition (editable, nullable).
com::ComPtr<HostFieldEdit> make_field(const FieldDefinition& definition);
// The object id field "FID"/"OID" (not editable) and the shape field "Shape".
com::ComPtr<HostFieldEdit> make_oid_field(const std::string& name);
com::ComPtr<HostFieldEdit> make_shape_field(int geometry_type, HostSpatialReference* reference);
com::ComPtr<HostFieldsEdit> make_fields(const std::vector<com::ComPtr<HostFieldEdit>>& fields);

// The definition a field object carries.
FieldDefinition definition_of(HostField* field);

// The coordinate system of a feature class's shape field; null when it has none.
com::ComPtr<HostSpatialReference> feature_class_reference(HostFeatureClass* feature_class);

com::ComPtr<com::IUnknown> create_field();
com::ComPtr<com::IUnknown> create_fields();
com::ComPtr<com::IUnknown> create_geometry_def();
com::ComPtr<com::IUnknown> create_index();

} // namespace host
