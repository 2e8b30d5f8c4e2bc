#pragma once

#include <string>
#include <string_view>

#include "com/unknown.h"
#include "host/renderer.h"

namespace host {

// A legend file (".avl", such as the add-in's "VRoute.avl"): a renderer with its symbols
// kept as text, so a layer can be drawn as a saved legend says.
struct HostLegendFile : com::IUnknown {
  COM_INTERFACE(HostLegendFile, com::IUnknown, "FE77138B-ED85-4E2E-A62C-719C2FD6E086")
  // E_FAIL when the file is missing or not a legend file.
  virtual com::HRESULT LoadRenderer(const std::string& path,
                                    com::ComPtr<HostFeatureRenderer>* renderer) = 0;
  virtual com::HRESULT SaveRenderer(const std::string& path, HostFeatureRenderer* renderer) = 0;
};

inline constexpr std::string_view LegendFileClass = "esricore.LegendFile";

} // namespace host
