#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/active_view.h"
#include "host/map.h"

namespace host {

// The map document: one focus map, shown in the active view.
struct HostDocument : com::IUnknown {
  COM_INTERFACE(HostDocument, com::IUnknown, "E5E85B74-C884-4D32-88F4-857793C35DE0")
  virtual com::ComPtr<HostMap> FocusMap() = 0;
  virtual com::ComPtr<HostActiveView> ActiveView() = 0;
  // The distance in map units within which a click picks a feature. Unless set, it follows
  // the view: 3 pixels at the current scale.
  virtual double SearchTolerance() = 0;
  virtual void SetSearchTolerance(double map_units) = 0;
  // Refreshes the table of contents; counted like a refresh.
  virtual void UpdateContents() = 0;
  virtual int UpdateContentsCount() = 0;
};

} // namespace host
