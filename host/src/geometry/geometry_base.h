#pragma once

#include <utility>

#include "com/object.h"
#include "data/host_error.h"
#include "geometry/ogr_bridge.h"
#include "geometry/path_merge.h"
#include "geometry/shape_access.h"

namespace host {

// What every geometry object does over its plain shape: the HostGeometry members, the set
// operations and the relation tests. `Primary` is the geometry's own interface (HostPoint,
// HostPolyline, ...); `Extra` lists further interfaces the class fills in.
template <class Primary, class... Extra>
class GeometryBase : public com::ComObject<Primary, Extra..., ShapeAccess, HostTopologicalOperator,
                                           HostRelationalOperator> {
public:
  explicit GeometryBase(Shape shape) : shape_(std::move(shape)) {}

  // HostGeometry
  int GeometryType() override { return shape_.type; }
  bool IsEmpty() override { return shape_.empty(); }
  void SetEmpty() override { shape_.parts.clear(); }
  com::ComPtr<HostEnvelope> Envelope() override {
    return make_geometry_as<HostEnvelope>(make_envelope(shape_.bounds()), reference_.get());
  }
  com::ComPtr<HostSpatialReference> SpatialReference() override { return reference_; }
  void SetSpatialReference(HostSpatialReference* reference) override {
    reference_ = com::ComPtr<HostSpatialReference>(reference);
  }
  com::HRESULT Project(HostSpatialReference* target) override {
    return guarded([&] {
      if (target && reference_ && !reference_->IsEqual(target)) {
        const auto from = reference_->ExportToWkt();
        const auto to = target->ExportToWkt();
        if (!from.empty() && !to.empty())
          shape_ = projected(shape_, from, to);
      }
      if (target)
        reference_ = com::ComPtr<HostSpatialReference>(target);
    });
  }
  com::ComPtr<HostGeometry> Clone() override { return make_geometry(shape_, reference_.get()); }

  // ShapeAccess
  const Shape& shape() override { return shape_; }

  // HostTopologicalOperator
  bool IsKnownSimple() override { return known_simple_; }
  void SetIsKnownSimple(bool simple) override { known_simple_ = simple; }
  com::HRESULT Simplify() override {
    return guarded([&] {
      if (shape_.type == geometry_polyline)
        shape_.parts = clean_paths(std::move(shape_.parts));
      if (shape_.type == geometry_polygon)
        shape_ = make_valid_polygon(shape_);
      known_simple_ = true;
    });
  }
  com::HRESULT Union(HostGeometry* other, com::ComPtr<HostGeometry>* out) override {
    return produce(out, [&] { return union_of(shape_, shape_of(other)); });
  }
  com::HRESULT Intersect(HostGeometry* other, int dimension,
                         com::ComPtr<HostGeometry>* out) override {
    return produce(out, [&] { return intersection_of(shape_, shape_of(other), dimension); });
  }
  com::HRESULT Difference(HostGeometry* other, com::ComPtr<HostGeometry>* out) override {
    return produce(out, [&] { return difference_of(shape_, shape_of(other)); });
  }
  com::HRESULT Buffer(double distance, com::ComPtr<HostGeometry>* out) override {
    return produce(out, [&] { return buffer_of(shape_, distance); });
  }
  com::HRESULT QueryClipped(HostEnvelope* envelope, com::ComPtr<HostGeometry>* out) override {
    return produce(out, [&] { return clipped_to(shape_, shape_of(envelope).bounds()); });
  }

  // HostRelationalOperator
  bool Contains(HostGeometry* other) override { return test(other, Relation::contains); }
  bool Within(HostGeometry* other) override { return test(other, Relation::within); }
  bool Intersects(HostGeometry* other) override { return test(other, Relation::intersects); }
  bool Disjoint(HostGeometry* other) override { return test(other, Relation::disjoint); }
  bool Touches(HostGeometry* other) override { return test(other, Relation::touches); }
  bool Equals(HostGeometry* other) override { return test(other, Relation::equals); }

protected:
  Shape shape_;
  com::ComPtr<HostSpatialReference> reference_;

private:
  template <class Compute> com::HRESULT produce(com::ComPtr<HostGeometry>* out, Compute&& compute) {
    if (!out)
      return com::E_POINTER;
    return guarded([&] { *out = make_geometry(compute(), reference_.get()); });
  }
  bool test(HostGeometry* other, Relation relation) {
    bool result = false;
    guarded([&] { result = relate(shape_, shape_of(other), relation); });
    return result;
  }

  bool known_simple_ = false;
};

} // namespace host
