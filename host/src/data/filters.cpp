#include "data/filters.h"

#include <map>
#include <string>

#include "com/object.h"
#include "host/query_filter.h"

namespace host {

namespace {

template <class Primary> class FilterBase : public com::ComObject<Primary> {
public:
  std::string WhereClause() override { return where_; }
  void SetWhereClause(const std::string& clause) override { where_ = clause; }
  std::string SubFields() override { return sub_fields_; }
  void SetSubFields(const std::string& fields) override { sub_fields_ = fields; }
  com::ComPtr<HostSpatialReference> OutputSpatialReference(const std::string& field) override {
    const auto it = output_.find(field);
    return it == output_.end() ? nullptr : it->second;
  }
  void SetOutputSpatialReference(const std::string& field,
                                 HostSpatialReference* reference) override {
    output_[field] = com::ComPtr<HostSpatialReference>(reference);
  }

private:
  std::string where_;
  std::string sub_fields_ = "*";
  std::map<std::string, com::ComPtr<HostSpatialReference>> output_;
};

class QueryFilter final : public FilterBase<HostQueryFilter> {};

class SpatialFilter final : public FilterBase<HostSpatialFilter> {
public:
  com::ComPtr<HostGeometry> Geometry() override { return geometry_; }
  void SetGeometry(HostGeometry* geometry) override {
    geometry_ = com::ComPtr<HostGeometry>(geometry);
  }
  int SpatialRel() override { return relation_; }
  void SetSpatialRel(int relation) override { relation_ = relation; }
  std::string GeometryField() override { return field_; }
  void SetGeometryField(const std::string& field) override { field_ = field; }

private:
  com::ComPtr<HostGeometry> geometry_;
  int relation_ = spatial_rel_intersects;
  std::string field_ = "Shape";
};

} // namespace

com::ComPtr<com::IUnknown> create_query_filter() {
  return com::make<QueryFilter>().as<com::IUnknown>();
}
com::ComPtr<com::IUnknown> create_spatial_filter() {
  return com::make<SpatialFilter>().as<com::IUnknown>();
}

} // namespace host
