#include "map/small_objects.h"

#include "host/map.h"

namespace host {

void ExtentBookmark::SetExtent(HostEnvelope* extent) {
  extent_ = nullptr;
  if (!extent)
    return;
  extent_ = extent->Clone().as<HostEnvelope>();
}

com::HRESULT ExtentBookmark::ZoomTo(HostMap* map) {
  if (!map)
    return com::E_POINTER;
  const auto view = com::ComPtr<HostMap>(map).as<HostActiveView>();
  if (!view || !extent_)
    return com::E_UNEXPECTED;
  return view->SetExtent(extent_.get());
}

} // namespace host
