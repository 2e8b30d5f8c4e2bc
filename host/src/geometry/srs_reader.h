#pragma once

#include <string>

#include "geometry/units.h"

namespace host {

enum class SrsKind { projected, geographic, unknown };

// What the host knows of a coordinate system read from text.
struct SrsInfo {
  SrsKind kind = SrsKind::unknown;
  std::string name;
  int epsg = 0;    // of the whole system, when the text carries it
  std::string wkt; // the ESRI-style WKT a ".prj" holds
  std::string unit_name;
  int unit_epsg = 0;
  double unit_factor = 0;
};

// Reads WKT of any dialect, or "EPSG:n". HostError when the text is not a coordinate system.
// Text read from a ".prj" is kept as it is (`keep_text`), so writing it back copies it.
SrsInfo read_srs(const std::string& text, bool keep_text);

// True when the two WKT texts describe the same coordinate system.
bool same_srs(const std::string& a, const std::string& b);

} // namespace host
