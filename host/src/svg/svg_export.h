#pragma once

#include <string>

#include "com/hresult.h"

namespace host {

struct HostMap;

// Draws the map as its view shows it (1000 x 800 pixels) into an SVG file: the visible layers
// from the bottom up, each with its renderer, then the graphics with their symbols and labels,
// a legend and a scale bar, and the attribution notices of the drawn layers' data folders
// (svg_attribution.h). Every drawn feature is one element carrying its feature id
// (data-fid) inside its layer's group. E_FAIL when the file cannot be written (the reason in
// *error).
// Works on any map that is also a HostActiveView and a HostGraphicsContainer (E_INVALIDARG
// otherwise).
com::HRESULT export_svg(HostMap& map, const std::string& path, std::string* error);

} // namespace host
