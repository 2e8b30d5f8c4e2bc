#pragma once

#include <string_view>

#include "com/unknown.h"
#include "host/geometry.h"

namespace host {

struct HostMap;

// Screen pixels (x to the right, y down; the device frame is 1000 x 800 pixels) to map
// coordinates and back, for the view's current extent. The extent is fitted into the frame
// keeping its aspect, centred, as a map window shows it.
struct HostDisplayTransformation : com::IUnknown {
  COM_INTERFACE(HostDisplayTransformation, com::IUnknown, "7F414BAA-49C2-44D8-8F22-268250C67961")
  // The map point under pixel (x, y), in the map's spatial reference.
  virtual com::ComPtr<HostPoint> ToMapPoint(int x, int y) = 0;
  // The pixel under a map point (rounded to the nearest pixel); E_POINTER for a null point.
  virtual com::HRESULT FromMapPoint(HostPoint* point, int* x, int* y) = 0;
  // The map extent the frame shows (wider or taller than the requested extent).
  virtual com::ComPtr<HostEnvelope> VisibleBounds() = 0;
  virtual int DeviceWidth() = 0;
  virtual int DeviceHeight() = 0;
  // Map units per pixel.
  virtual double Resolution() = 0;
};

struct HostScreenDisplay : com::IUnknown {
  COM_INTERFACE(HostScreenDisplay, com::IUnknown, "F63DE884-867F-4622-8CE8-EDF65E694B75")
  virtual com::ComPtr<HostDisplayTransformation> DisplayTransformation() = 0;
};

// The map seen as the window that draws it. Refreshes draw nothing here: they are counted
// so that a test sees whether the view was redrawn.
struct HostActiveView : com::IUnknown {
  COM_INTERFACE(HostActiveView, com::IUnknown, "BF6BA7E1-73B1-46B1-8E1F-A1190382C13D")
  // The map the view shows.
  virtual com::ComPtr<HostMap> FocusMap() = 0;
  virtual com::ComPtr<HostEnvelope> Extent() = 0;
  // An empty or null extent is refused (E_INVALIDARG).
  virtual com::HRESULT SetExtent(HostEnvelope* extent) = 0;
  // The union of the layers' extents; null for a map without data.
  virtual com::ComPtr<HostEnvelope> FullExtent() = 0;
  virtual void Refresh() = 0;
  // Phase codes as the platform's (1 geography, 2 geo-selection, 4 graphics, ...); the
  // arguments are recorded as one more refresh.
  virtual void PartialRefresh(int phase, com::IUnknown* data, HostEnvelope* envelope) = 0;
  virtual void ContentsChanged() = 0;
  virtual int RefreshCount() = 0;
  virtual com::ComPtr<HostScreenDisplay> ScreenDisplay() = 0;
};

// A saved extent; ZoomTo brings a map's view to it.
struct HostExtentBookmark : com::IUnknown {
  COM_INTERFACE(HostExtentBookmark, com::IUnknown, "44CCF623-9DD1-47B3-9CAA-1481A8156026")
  virtual com::ComPtr<HostEnvelope> Extent() = 0;
  virtual void SetExtent(HostEnvelope* extent) = 0;
  virtual com::HRESULT ZoomTo(HostMap* map) = 0;
};

inline constexpr std::string_view ExtentBookmarkClass = "esricore.SpatialBookmark";

} // namespace host
