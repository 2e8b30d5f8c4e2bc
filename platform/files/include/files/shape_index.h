#pragma once

// The headers of a shapefile's ".shp" and ".shx", checked against the files before a reader
// trusts the offsets they hold.

#include <filesystem>

namespace files {

// Checks that both files carry the shapefile mark, that neither is shorter than its header
// says, and that every record the ".shx" lists lies inside the ".shp" (its offset past the
// ".shp" header, its record header and content before the file's end). The part and point
// counts inside each record are checked where the record is read. Raises FileError naming the
// file and what is wrong; reads only.
void check_shape_index(const std::filesystem::path& shp, const std::filesystem::path& shx);

} // namespace files
