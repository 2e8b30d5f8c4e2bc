#include "geometry/srs_reader.h"

#include <ogr_spatialref.h>

#include <cpl_conv.h>

#include "data/host_error.h"

namespace host {

namespace {

std::string esri_wkt(const OGRSpatialReference& srs) {
  char* text = nullptr;
  const char* options[] = {"FORMAT=WKT1_ESRI", nullptr};
  if (srs.exportToWkt(&text, options) != OGRERR_NONE || !text) {
    CPLFree(text);
    throw HostError("the coordinate system cannot be written as WKT");
  }
  std::string out = text;
  CPLFree(text);
  return out;
}

int code_of(const OGRSpatialReference& srs, const char* node) {
  const char* authority = srs.GetAuthorityName(node);
  const char* code = srs.GetAuthorityCode(node);
  if (!authority || !code || !EQUAL(authority, "EPSG"))
    return 0;
  return std::atoi(code);
}

// Blank lines before the text are passed over: GDAL's own gdalsrsinfo writes one before its
// WKT, and a ".prj" made with it must be read.
void parse(OGRSpatialReference& srs, const std::string& text) {
  const auto start = text.find_first_not_of(" \t\r\n");
  if (start == std::string::npos || srs.SetFromUserInput(text.c_str() + start) != OGRERR_NONE)
    throw HostError("not a coordinate system: \"" + text.substr(0, 60) + "\"");
}

} // namespace

SrsInfo read_srs(const std::string& text, bool keep_text) {
  OGRSpatialReference srs;
  parse(srs, text);
  SrsInfo info;
  const bool projected = srs.IsProjected();
  if (!projected && !srs.IsGeographic()) {
    info.kind = SrsKind::unknown;
    return info;
  }
  info.kind = projected ? SrsKind::projected : SrsKind::geographic;
  const char* name = srs.GetName();
  info.name = name ? name : "";
  info.epsg = code_of(srs, projected ? "PROJCS" : "GEOGCS");
  info.wkt = keep_text ? text : esri_wkt(srs);

  const char* unit_name = nullptr;
  info.unit_factor = projected ? srs.GetLinearUnits(&unit_name) : srs.GetAngularUnits(&unit_name);
  info.unit_name = unit_name ? unit_name : "";
  const int coded = code_of(srs, projected ? "PROJCS|UNIT" : "GEOGCS|UNIT");
  const auto unit =
      coded ? find_unit_by_code(coded) : find_unit(info.unit_name, info.unit_factor, !projected);
  if (unit) {
    info.unit_epsg = unit->epsg;
    info.unit_name = std::string(unit->name);
  } else {
    info.unit_epsg = coded;
  }
  return info;
}

bool same_srs(const std::string& a, const std::string& b) {
  if (a == b)
    return true;
  OGRSpatialReference sa, sb;
  try {
    parse(sa, a);
    parse(sb, b);
  } catch (const HostError&) {
    return false;
  }
  const char* options[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", "CRITERION=EQUIVALENT",
                           nullptr};
  return sa.IsSame(&sb, options);
}

} // namespace host
