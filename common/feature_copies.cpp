#include "common/feature_copies.h"

#include <string>

#include "com/create.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "host/query_filter.h"
#include "host/row.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

constexpr int SimpleFeatures = 1;

com::ComPtr<host::HostFeatureCursor> search(host::HostFeatureClass* features,
                                            std::string_view where) {
  const auto filter = create<host::HostQueryFilter>(host::QueryFilterClass);
  filter->SetWhereClause(std::string(where));
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(features->Search(filter.get(), false, &cursor), "Search");
  return require(cursor, "Search");
}

} // namespace

bool IsIdOrShape(host::HostField& field) {
  return field.Type() == host::field_oid || field.Type() == host::field_geometry;
}

com::ComPtr<host::HostFeatureClass> CreateLikeNetwork(host::HostFeatureWorkspace* workspace,
                                                      host::HostFeatureClass* network,
                                                      std::string_view name,
                                                      host::HostFields* fields) {
  com::ComPtr<host::HostFeatureClass> created;
  check_call(workspace->CreateFeatureClass(std::string(name), fields, SimpleFeatures,
                                           network->ShapeFieldName(), "", &created),
             "CreateFeatureClass");
  return require(created, "CreateFeatureClass");
}

com::ComPtr<host::HostFeatureCursor> InsertCursor(host::HostFeatureClass* features) {
  com::ComPtr<host::HostFeatureCursor> cursor;
  check_call(features->Insert(true, &cursor), "Insert");
  return require(cursor, "Insert");
}

com::ComPtr<host::HostFeatureBuffer> NewFeatureBuffer(host::HostFeatureClass* features) {
  com::ComPtr<host::HostFeatureBuffer> buffer;
  check_call(features->CreateFeatureBuffer(&buffer), "CreateFeatureBuffer");
  return require(buffer, "CreateFeatureBuffer");
}

void CopyNetworkLinks(host::HostFeatureClass* to, host::HostFeatureClass* network,
                      std::string_view where, const std::function<void()>& copied) {
  const auto links = search(network, where);
  const auto cursor = InsertCursor(to);
  const auto fields = require(network->Fields(), "Fields");
  // One buffer for every link: each copy sets the shape and every value anew. A buffer made per
  // link would read the output's fields from its files each time.
  const auto buffer = NewFeatureBuffer(to);
  com::ComPtr<host::HostFeature> link;
  while (links->NextFeature(&link) == com::S_OK && link) {
    buffer->SetShape(link->ShapeCopy().get());
    for (int i = 0; i < fields->FieldCount(); ++i) {
      const auto field = require(fields->Field(i), "field");
      if (IsIdOrShape(*field))
        continue;
      check_call(buffer->SetValue(i, link->Value(i)), "SetValue");
    }
    check_call(cursor->InsertFeature(buffer.get(), nullptr), "InsertFeature");
    if (copied)
      copied();
  }
  check_call(cursor->Flush(), "Flush");
}

void CopyShapes(host::HostFeatureClass* from, host::HostFeatureClass* to) {
  const auto features = search(from, "");
  const auto cursor = InsertCursor(to);
  const auto buffer = NewFeatureBuffer(to); // shapes alone: nothing to set anew but the shape
  com::ComPtr<host::HostFeature> feature;
  while (features->NextFeature(&feature) == com::S_OK && feature) {
    buffer->SetShape(feature->ShapeCopy().get());
    check_call(cursor->InsertFeature(buffer.get(), nullptr), "InsertFeature");
  }
  check_call(cursor->Flush(), "Flush");
}

} // namespace corvane
