#pragma once

#include "com/unknown.h"
#include "host/element.h"
#include "host/geometry.h"

namespace host {

// A walk over elements; Next gives null at the end.
struct HostEnumElement : com::IUnknown {
  COM_INTERFACE(HostEnumElement, com::IUnknown, "3B9E6F9F-28C8-4009-89B2-6D9938F54B07")
  virtual void Reset() = 0;
  virtual com::ComPtr<HostElement> Next() = 0;
};

// The map's graphics, kept in the order they were added: walks and located sets give the
// oldest first, and the map draws them in that order, so the newest lies on top. A walk
// (Reset/Next) goes over the elements present at Reset, so deleting during a walk is safe;
// an element deleted before the walk reaches it is skipped.
struct HostGraphicsContainer : com::IUnknown {
  COM_INTERFACE(HostGraphicsContainer, com::IUnknown, "ECAB9695-54F7-48C0-ACC7-1D532B5EFAF1")
  // The element goes on top of the others. The platform's z-order argument is taken but has
  // no further effect (callers pass 0). Adding an element twice fails with E_INVALIDARG.
  virtual com::HRESULT AddElement(HostElement* element, int z_order) = 0;
  // E_INVALIDARG when the element is not in the container.
  virtual com::HRESULT DeleteElement(HostElement* element) = 0;
  virtual void DeleteAllElements() = 0;
  virtual int ElementCount() = 0;
  virtual void Reset() = 0;
  virtual com::ComPtr<HostElement> Next() = 0;
  // The elements whose drawn extent lies within `tolerance` (map units) of the point, in
  // container order; null when there is none. A marker's extent is its symbol's square
  // (Size points, a point being one screen pixel at the current view scale), so a search
  // with tolerance 0 at or near a marker's point finds it. Text elements have the extent of
  // their text; other elements that of their geometry.
  virtual com::ComPtr<HostEnumElement> LocateElements(HostPoint* point, double tolerance) = 0;
};

} // namespace host
