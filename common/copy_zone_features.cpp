#include "common/copy_zone_features.h"

#include <algorithm>
#include <string>
#include <vector>

#include "com/variant.h"
#include "common/feature_copies.h"
#include "common/network_workspace.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/row.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

// The attribute fields a copy carries: every editable field but the object id and the shape,
// which is set on its own. `target` is the field's place in the new class.
struct CopiedField {
  int source = 0;
  int target = 0;
};

std::vector<CopiedField> copied_fields(host::HostFields& source, host::HostFields& target) {
  std::vector<CopiedField> fields;
  for (int i = 0; i < source.FieldCount(); ++i) {
    const auto field = require(source.Field(i), "Fields.Field");
    if (IsIdOrShape(*field) || !field->Editable())
      continue;
    const int place = target.FindField(field->Name());
    if (place < 0)
      throw HostCallFailed("the copy has no field " + field->Name(), com::E_FAIL);
    fields.push_back({i, place});
  }
  return fields;
}

// The ids of the source's features: the zones are fetched one at a time, so that a list of
// thousands of zones is never held whole.
std::vector<std::int32_t> all_feature_ids(host::HostFeatureClass& source) {
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(source.Search(nullptr, false, &cursor), "FeatureClass.Search");
  require(cursor, "FeatureClass.Search");
  std::vector<std::int32_t> ids;
  for (com::ComPtr<host::HostFeature> feature;;) {
    const auto next = cursor->NextFeature(&feature);
    check_call(next, "FeatureCursor.NextFeature");
    if (next == com::S_FALSE || !feature)
      return ids;
    ids.push_back(feature->OID());
  }
}

} // namespace

com::ComPtr<host::HostFeatureClass> CopyZoneFeatures(host::HostFeatureClass* source,
                                                     std::string_view output, ZoneOrder order,
                                                     const ZoneReshape& reshape) {
  return WriteOutputWhole(output, [&](std::string_view scratch) {
    const auto source_fields = require(source->Fields(), "FeatureClass.Fields");
    com::ComPtr<host::HostFeatureClass> copy;
    check_call(OpenNetworkWorkspace()->CreateFeatureClass(std::string(scratch), source_fields.get(),
                                                          1, source->ShapeFieldName(), "", &copy),
               "CreateFeatureClass");
    require(copy, "CreateFeatureClass");
    const auto fields = copied_fields(*source_fields, *require(copy->Fields(), "Fields"));

    auto ids = all_feature_ids(*source);
    if (order == ZoneOrder::LastFirst)
      std::reverse(ids.begin(), ids.end());

    com::ComPtr<host::HostFeatureCursor> inserter;
    check_call(copy->Insert(true, &inserter), "FeatureClass.Insert");
    com::ComPtr<host::HostFeatureBuffer> buffer;
    check_call(copy->CreateFeatureBuffer(&buffer), "FeatureClass.CreateFeatureBuffer");
    require(inserter, "FeatureClass.Insert");
    require(buffer, "FeatureClass.CreateFeatureBuffer");
    for (const std::int32_t id : ids) {
      com::ComPtr<host::HostFeature> zone;
      check_call(source->GetFeature(id, &zone), "FeatureClass.GetFeature");
      require(zone, "FeatureClass.GetFeature");
      auto shape = zone->ShapeCopy();
      // A zone without area of its own (a ring with nothing beyond the zone inside it) is left
      // out: a record without a shape would stand in the output for nothing.
      if (!shape || shape->IsEmpty())
        continue;
      if (reshape && !(shape = reshape(shape.get())))
        continue;
      buffer->SetShape(shape.get());
      for (const auto& field : fields)
        check_call(buffer->SetValue(field.target, zone->Value(field.source)), "SetValue");
      check_call(inserter->InsertFeature(buffer.get(), nullptr), "InsertFeature");
    }
    check_call(inserter->Flush(), "FeatureCursor.Flush");
  });
}

} // namespace corvane
