#include "common/result_field.h"

#include <string>

#include "com/variant.h"
#include "common/rewrite_refused.h"
#include "host/fields.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

com::ComPtr<host::HostField> result_field_definition(std::string_view name) {
  const auto field = create<host::HostFieldEdit>(host::FieldClass);
  field->SetName(std::string(name));
  field->SetType(host::field_double);
  field->SetLength(32);
  field->SetPrecision(10);
  field->SetScale(3);
  field->SetDefaultValue(com::Variant(std::int16_t{0}));
  field->SetEditable(true);
  return field;
}

} // namespace

bool EnsureResultField(host::HostFeatureClass* feature_class) {
  const auto refused = [&](std::string_view reason) {
    ShowRewriteRefused(reason);
    return false;
  };
  const auto fields = feature_class->Fields();
  if (!fields)
    return refused("its table cannot be read");
  const int index = fields->FindField(std::string(ResultFieldName));
  if (index >= 0) {
    const auto field = require(fields->Field(index), "Fields.Field");
    if (field->Type() == host::field_double && field->Scale() == 3 && field->Precision() == 10)
      return true;
    if (com::FAILED(feature_class->DeleteField(field.get())))
      return refused(feature_class->FieldChangeFailure());
  }
  if (com::FAILED(feature_class->AddField(result_field_definition(ResultFieldName).get())))
    return refused(feature_class->FieldChangeFailure());
  return true;
}

bool AddResultFieldIfMissing(host::HostFeatureClass* feature_class, std::string_view name) {
  if (feature_class->FindField(std::string(name)) != -1)
    return true;
  if (com::SUCCEEDED(feature_class->AddField(result_field_definition(name).get())))
    return true;
  ShowRewriteRefused(feature_class->FieldChangeFailure());
  return false;
}

} // namespace corvane
