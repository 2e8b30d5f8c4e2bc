#pragma once

#include <string_view>
#include <vector>

#include "com/unknown.h"
#include "host/spatial_reference.h"

namespace host {

// Geometry type codes, as feature classes report them in ShapeType.
enum HostGeometryType : int {
  geometry_null = 0,
  geometry_point = 1,
  geometry_multipoint = 2,
  geometry_polyline = 3,
  geometry_polygon = 4,
  geometry_envelope = 5,
  geometry_bag = 17,
};

// A vertex. Paths and rings are vertex lists; a ring repeats its first vertex at its end.
struct XY {
  double x = 0;
  double y = 0;
  friend bool operator==(const XY&, const XY&) = default;
};
using Path = std::vector<XY>;

struct HostEnvelope;

// Every geometry. Geometries carry the coordinate system they are in (null = not known).
struct HostGeometry : com::IUnknown {
  COM_INTERFACE(HostGeometry, com::IUnknown, "1C470EF6-7800-4AF3-8FD7-98656CE93FAD")
  virtual int GeometryType() = 0;
  virtual bool IsEmpty() = 0;
  virtual void SetEmpty() = 0;
  // The bounding box, a new object; empty for an empty geometry.
  virtual com::ComPtr<HostEnvelope> Envelope() = 0;
  virtual com::ComPtr<HostSpatialReference> SpatialReference() = 0;
  // Labels the coordinates as being in `reference`; they are not changed.
  virtual void SetSpatialReference(HostSpatialReference* reference) = 0;
  // Converts the coordinates into `target` in place. The identity when either system is
  // unknown or both are equal; fails (E_FAIL, geometry unchanged) when no transformation exists.
  virtual com::HRESULT Project(HostSpatialReference* target) = 0;
  virtual com::ComPtr<HostGeometry> Clone() = 0;
};

struct HostPoint : HostGeometry {
  COM_INTERFACE(HostPoint, HostGeometry, "EC1A2670-4CA2-4692-8E23-A799D2AE0C45")
  virtual double X() = 0;
  virtual double Y() = 0;
  virtual void SetX(double x) = 0;
  virtual void SetY(double y) = 0;
  virtual void PutCoords(double x, double y) = 0;
};

// An axis-parallel rectangle; PutCoords orders the corners.
struct HostEnvelope : HostGeometry {
  COM_INTERFACE(HostEnvelope, HostGeometry, "C809435F-2B01-4B99-B819-AB8762FB4AE0")
  virtual double XMin() = 0;
  virtual double YMin() = 0;
  virtual double XMax() = 0;
  virtual double YMax() = 0;
  virtual double Width() = 0;
  virtual double Height() = 0;
  virtual void PutCoords(double xmin, double ymin, double xmax, double ymax) = 0;
  // Grows each side by dx and dy (asRatio false), or scales width and height by dx and dy
  // about the centre (asRatio true). A point's envelope grows into a square of side 2dx.
  virtual void Expand(double dx, double dy, bool asRatio) = 0;
  // Grows to enclose `other` as well; an empty envelope takes the other's extent.
  virtual void Union(HostEnvelope* other) = 0;
};

// The vertices of a multipoint, polyline or polygon, counted across all parts.
struct HostPointCollection : com::IUnknown {
  COM_INTERFACE(HostPointCollection, com::IUnknown, "256A6B95-27E7-4E60-B909-571F2796C696")
  virtual int PointCount() = 0;
  // A new point object; null when i is outside 0 .. PointCount - 1.
  virtual com::ComPtr<HostPoint> Point(int i) = 0;
  // Appends a vertex to the last part (starting the first part when there is none).
  virtual void AddPoint(HostPoint* point) = 0;
};

struct HostCurve : HostGeometry {
  COM_INTERFACE(HostCurve, HostGeometry, "80E2E9FE-C0FB-4865-AF30-A0E7013B419A")
  // Total length of all parts (a polygon's perimeter).
  virtual double Length() = 0;
  virtual com::ComPtr<HostPoint> FromPoint() = 0;
  virtual com::ComPtr<HostPoint> ToPoint() = 0;
  // The point at `distance` along the curve (a ratio of the length when asRatio), written into
  // `out`. Extension 0 = none: a distance before the start or past the end gives the end point.
  // Fails (E_FAIL) on an empty curve.
  virtual com::HRESULT QueryPoint(int extension, double distance, bool asRatio, HostPoint* out) = 0;
  // The point of the curve nearest to `in`, written into `out`, with the distance along the
  // curve to it (a ratio when asRatio), the distance from `in` to it, and whether `in` lies to
  // the right of the curve. Any of the three result pointers may be null.
  virtual com::HRESULT QueryPointAndDistance(int extension, HostPoint* in, bool asRatio,
                                             HostPoint* out, double* distanceAlong,
                                             double* distanceFrom, bool* rightSide) = 0;
};

struct HostPolyline : HostCurve {
  COM_INTERFACE(HostPolyline, HostCurve, "DB618EA5-AFB9-422C-A746-960B91A899DE")
  virtual int PathCount() = 0;
  // Empty when i is out of range.
  virtual Path PathAt(int i) = 0;
  virtual void AddPath(const Path& path) = 0;
};

// Outer rings run clockwise, holes counter-clockwise (the shapefile rule); Simplify
// (HostTopologicalOperator) puts rings given the other way round in order.
struct HostPolygon : HostCurve {
  COM_INTERFACE(HostPolygon, HostCurve, "FF9E7BA1-F376-4B67-9DA2-826BE94A1EF5")
  virtual int RingCount() = 0;
  virtual Path RingAt(int i) = 0;
  // Closes the ring when its last vertex differs from its first.
  virtual void AddRing(const Path& ring) = 0;
  // Area of the outer rings less their holes.
  virtual double Area() = 0;
};

struct HostMultipoint : HostGeometry {
  COM_INTERFACE(HostMultipoint, HostGeometry, "D4887B5D-B615-4B18-9A99-5D4A45003F52")
};

// An ordered bag of geometries (e.g. one line per direction row).
struct HostIndexedCollection : com::IUnknown {
  COM_INTERFACE(HostIndexedCollection, com::IUnknown, "6F899CAE-6692-4664-B395-A90D9B455084")
  virtual int GeometryCount() = 0;
  // Null when i is out of range.
  virtual com::ComPtr<HostGeometry> Geometry(int i) = 0;
  virtual void AddGeometry(HostGeometry* geometry) = 0;
  // Puts `geometry` in place of item i; nothing happens when i is out of range.
  virtual void ReplaceGeometry(int i, HostGeometry* geometry) = 0;
};

// Intersect's dimension codes: which parts of the result to keep.
enum HostGeometryDimension : int {
  dimension_points = 1,
  dimension_lines = 2,
  dimension_areas = 4,
};

// Set operations, on polylines, polygons, multipoints, points and envelopes alike. Results are
// new geometries in the spatial reference of `this`; `other` is taken as being in it.
struct HostTopologicalOperator : com::IUnknown {
  COM_INTERFACE(HostTopologicalOperator, com::IUnknown, "76E96C9C-54E8-4149-BBDF-5A928D8A51F0")
  virtual bool IsKnownSimple() = 0;
  virtual void SetIsKnownSimple(bool simple) = 0;
  // In place: removes repeated vertices and empty parts, orders polygon rings (outer clockwise,
  // holes counter-clockwise) and repairs self-intersections. Never changes the line's course.
  virtual com::HRESULT Simplify() = 0;
  // The set union. Polylines are joined, not noded: paths meeting at an end shared by exactly
  // two path ends become one path (running the way the first one runs), and segments both
  // lines have count once, so a line united with itself stays itself.
  virtual com::HRESULT Union(HostGeometry* other, com::ComPtr<HostGeometry>* out) = 0;
  virtual com::HRESULT Intersect(HostGeometry* other, int dimension,
                                 com::ComPtr<HostGeometry>* out) = 0;
  virtual com::HRESULT Difference(HostGeometry* other, com::ComPtr<HostGeometry>* out) = 0;
  // A polygon at `distance` around the geometry (negative shrinks polygons).
  virtual com::HRESULT Buffer(double distance, com::ComPtr<HostGeometry>* out) = 0;
  // The part inside `envelope`; empty when nothing is inside.
  virtual com::HRESULT QueryClipped(HostEnvelope* envelope, com::ComPtr<HostGeometry>* out) = 0;
};

// Relation tests; false when either geometry is empty or the test cannot be made.
struct HostRelationalOperator : com::IUnknown {
  COM_INTERFACE(HostRelationalOperator, com::IUnknown, "408C7395-F0B8-40BE-9089-E6FAEA5CEF60")
  virtual bool Contains(HostGeometry* other) = 0;
  virtual bool Within(HostGeometry* other) = 0;
  virtual bool Intersects(HostGeometry* other) = 0;
  virtual bool Disjoint(HostGeometry* other) = 0;
  // Boundaries meet, interiors do not: two lines sharing only an end point touch.
  virtual bool Touches(HostGeometry* other) = 0;
  virtual bool Equals(HostGeometry* other) = 0;
};
// The link join asks its relation through this name.
using HostRelationTest = HostRelationalOperator;

inline constexpr std::string_view PointClass = "esricore.Point";
inline constexpr std::string_view MultipointClass = "esricore.Multipoint";
inline constexpr std::string_view PolylineClass = "esricore.Polyline";
inline constexpr std::string_view PolygonClass = "esricore.Polygon";
inline constexpr std::string_view EnvelopeClass = "esricore.Envelope";
inline constexpr std::string_view GeometryBagClass = "esricore.GeometryBag";

} // namespace host
