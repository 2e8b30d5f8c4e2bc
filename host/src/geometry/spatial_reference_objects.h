#pragma once

#include <string>

#include "com/unknown.h"
#include "geometry/srs_reader.h"
#include "host/spatial_reference.h"

namespace host {

com::ComPtr<HostSpatialReference> make_spatial_reference(const SrsInfo& info);

// The coordinate system of a ".prj" file: the unknown kind when the file is missing or cannot
// be read (a shapefile without a usable ".prj" has no known system).
com::ComPtr<HostSpatialReference> spatial_reference_of_prj(const std::string& path);

// Reads a whole file as bytes; HostError naming the file when it cannot.
std::string read_text_file(const std::string& path);
void write_text_file(const std::string& path, const std::string& text);

com::ComPtr<com::IUnknown> create_spatial_reference_factory();
com::ComPtr<com::IUnknown> create_projection_file();
com::ComPtr<com::IUnknown> create_unknown_coordinate_system();

} // namespace host
