#pragma once

#include <cstdint>
#include <string_view>

#include "com/unknown.h"

namespace corvane {

// What the polygon isochrone tool ("Corvane.IsoPoly") offers a client beyond ICommand and
// ITool. The add-in never calls it itself.
struct IIsoPoly : com::IUnknown {
  COM_INTERFACE(IIsoPoly, com::IUnknown, "1BC4134D-48F7-4F72-B818-35CCB1C625A5")
  static constexpr std::string_view interface_members = "ClassifyManual2(count: long ref)";

  // Draws the layer "IsoPoly" of the network folder in *count cost bands on "COST_END", with the
  // zone limits of the tool's last run: one fill per zone along a ramp from RGB(242, 233, 250)
  // to RGB(255, 190, 199), labelled "0-5 Minutes", "5-10 Minutes", ... (the distance unit for
  // the shortest route type). *count is read, not changed. Returns the code of the call that
  // failed: E_POINTER without a count, or the layer not in the map; E_INVALIDARG for fewer
  // than one band or more than the last run had zones; nothing on the map changes then.
  virtual com::HRESULT ClassifyManual2(std::int32_t* count) = 0;
};

} // namespace corvane
