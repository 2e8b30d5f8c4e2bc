#pragma once

#include "com/unknown.h"
#include "geometry/shape.h"
#include "host/geometry.h"

namespace host {

// Inside the host: the plain shape behind every geometry object.
struct ShapeAccess : com::IUnknown {
  COM_INTERFACE(ShapeAccess, com::IUnknown, "5B0C39E2-53A4-4F0B-9D3C-2A7C1E0F4D61")
  virtual const Shape& shape() = 0;
};

// The shape of a geometry object; HostError when it is null or not one of the host's.
Shape shape_of(HostGeometry* geometry);

// A new geometry object of the shape's kind, in `reference` (may be null).
com::ComPtr<HostGeometry> make_geometry(Shape shape, HostSpatialReference* reference);

// The same, asked for one interface of the object.
template <com::Interface I>
com::ComPtr<I> make_geometry_as(Shape shape, HostSpatialReference* reference) {
  return make_geometry(std::move(shape), reference).as<I>();
}

} // namespace host
