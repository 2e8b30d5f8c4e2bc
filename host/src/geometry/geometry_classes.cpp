#include <algorithm>

#include "geometry/curve_math.h"
#include "geometry/geometry_base.h"

namespace host {

namespace {

class Point final : public GeometryBase<HostPoint> {
public:
  using GeometryBase::GeometryBase;
  double X() override { return coords().x; }
  double Y() override { return coords().y; }
  void SetX(double x) override { PutCoords(x, coords().y); }
  void SetY(double y) override { PutCoords(coords().x, y); }
  void PutCoords(double x, double y) override { shape_ = make_point(x, y); }

private:
  // An empty point reads as (0, 0), as it would on a freshly created point.
  XY coords() const { return shape_.empty() ? XY{} : shape_.parts.front().front(); }
};

class Envelope final : public GeometryBase<HostEnvelope> {
public:
  using GeometryBase::GeometryBase;
  double XMin() override { return box().xmin; }
  double YMin() override { return box().ymin; }
  double XMax() override { return box().xmax; }
  double YMax() override { return box().ymax; }
  double Width() override { return box().xmax - box().xmin; }
  double Height() override { return box().ymax - box().ymin; }
  void PutCoords(double xmin, double ymin, double xmax, double ymax) override {
    Box b;
    b.add(XY{xmin, ymin});
    b.add(XY{xmax, ymax});
    shape_ = make_envelope(b);
  }
  void Expand(double dx, double dy, bool asRatio) override {
    if (shape_.empty())
      return;
    Box b = box();
    if (asRatio) {
      const double cx = (b.xmin + b.xmax) / 2, cy = (b.ymin + b.ymax) / 2;
      const double hw = (b.xmax - b.xmin) * dx / 2, hh = (b.ymax - b.ymin) * dy / 2;
      PutCoords(cx - hw, cy - hh, cx + hw, cy + hh);
    } else {
      PutCoords(b.xmin - dx, b.ymin - dy, b.xmax + dx, b.ymax + dy);
    }
  }
  void Union(HostEnvelope* other) override {
    if (!other)
      return;
    Box b = box();
    guarded([&] { b.add(shape_of(other).bounds()); });
    shape_ = make_envelope(b);
  }
  using GeometryBase::Union;

private:
  Box box() const { return shape_.bounds(); }
};

// Vertex access shared by multipoints, polylines and polygons.
template <class Primary> class VertexGeometry : public GeometryBase<Primary, HostPointCollection> {
public:
  using GeometryBase<Primary, HostPointCollection>::GeometryBase;
  int PointCount() override { return this->shape_.vertex_count(); }
  com::ComPtr<HostPoint> Point(int i) override {
    const auto p = vertex_at(this->shape_, i);
    if (!p)
      return nullptr;
    return make_geometry_as<HostPoint>(make_point(p->x, p->y), this->reference_.get());
  }
  void AddPoint(HostPoint* point) override {
    if (!point)
      return;
    if (this->shape_.parts.empty())
      this->shape_.parts.emplace_back();
    this->shape_.parts.back().push_back({point->X(), point->Y()});
  }
};

class Multipoint final : public VertexGeometry<HostMultipoint> {
public:
  using VertexGeometry::VertexGeometry;
};

// The curve members of polylines and polygons.
template <class Primary> class CurveGeometry : public VertexGeometry<Primary> {
public:
  using VertexGeometry<Primary>::VertexGeometry;
  double Length() override { return curve_length(this->shape_); }
  com::ComPtr<HostPoint> FromPoint() override { return end_point(true); }
  com::ComPtr<HostPoint> ToPoint() override { return end_point(false); }
  com::HRESULT QueryPoint(int, double distance, bool asRatio, HostPoint* out) override {
    if (!out)
      return com::E_POINTER;
    if (this->shape_.empty())
      return com::E_FAIL;
    const XY p = point_along(this->shape_, asRatio ? distance * Length() : distance);
    out->PutCoords(p.x, p.y);
    out->SetSpatialReference(this->reference_.get());
    return com::S_OK;
  }
  com::HRESULT QueryPointAndDistance(int, HostPoint* in, bool asRatio, HostPoint* out,
                                     double* distanceAlong, double* distanceFrom,
                                     bool* rightSide) override {
    if (!in || !out)
      return com::E_POINTER;
    if (this->shape_.empty() || in->IsEmpty())
      return com::E_FAIL;
    const NearestPoint n = nearest_point(this->shape_, XY{in->X(), in->Y()});
    out->PutCoords(n.point.x, n.point.y);
    out->SetSpatialReference(this->reference_.get());
    const double length = Length();
    if (distanceAlong)
      *distanceAlong = asRatio ? (length > 0 ? n.along / length : 0) : n.along;
    if (distanceFrom)
      *distanceFrom = n.from;
    if (rightSide)
      *rightSide = n.right;
    return com::S_OK;
  }

protected:
  Path part_at(int i) const {
    if (i < 0 || i >= static_cast<int>(this->shape_.parts.size()))
      return {};
    return this->shape_.parts[static_cast<std::size_t>(i)];
  }

private:
  com::ComPtr<HostPoint> end_point(bool first) {
    const auto& parts = this->shape_.parts;
    const auto nonempty = [](const Path& p) { return !p.empty(); };
    XY p{};
    if (first) {
      const auto it = std::find_if(parts.begin(), parts.end(), nonempty);
      if (it != parts.end())
        p = it->front();
    } else {
      const auto it = std::find_if(parts.rbegin(), parts.rend(), nonempty);
      if (it != parts.rend())
        p = it->back();
    }
    return make_geometry_as<HostPoint>(make_point(p.x, p.y), this->reference_.get());
  }
};

class Polyline final : public CurveGeometry<HostPolyline> {
public:
  using CurveGeometry::CurveGeometry;
  int PathCount() override { return static_cast<int>(shape_.parts.size()); }
  Path PathAt(int i) override { return part_at(i); }
  void AddPath(const Path& path) override { shape_.parts.push_back(path); }
};

class Polygon final : public CurveGeometry<HostPolygon> {
public:
  using CurveGeometry::CurveGeometry;
  int RingCount() override { return static_cast<int>(shape_.parts.size()); }
  Path RingAt(int i) override { return part_at(i); }
  void AddRing(const Path& ring) override {
    Path closed = ring;
    if (!closed.empty() && !(closed.front() == closed.back()))
      closed.push_back(closed.front());
    shape_.parts.push_back(std::move(closed));
  }
  double Area() override {
    double area = 0;
    for (const auto& ring : shape_.parts)
      area -= signed_area(ring);
    return area;
  }
};

} // namespace

Shape shape_of(HostGeometry* geometry) {
  const auto access = com::ComPtr<HostGeometry>(geometry).as<ShapeAccess>();
  if (!access)
    throw HostError("a geometry is missing or not one of the host's", com::E_INVALIDARG);
  return access->shape();
}

com::ComPtr<HostGeometry> make_geometry(Shape shape, HostSpatialReference* reference) {
  com::ComPtr<HostGeometry> g;
  switch (shape.type) {
  case geometry_point:
    g = com::make<Point>(std::move(shape));
    break;
  case geometry_envelope:
    g = com::make<Envelope>(std::move(shape));
    break;
  case geometry_multipoint:
    g = com::make<Multipoint>(std::move(shape));
    break;
  case geometry_polyline:
    g = com::make<Polyline>(std::move(shape));
    break;
  case geometry_polygon:
    g = com::make<Polygon>(std::move(shape));
    break;
  default:
    throw HostError("geometry of type " + std::to_string(shape.type) + " cannot be made");
  }
  g->SetSpatialReference(reference);
  return g;
}

} // namespace host
