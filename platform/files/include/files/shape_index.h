#pragma once

// The headers of a shapefile's ".shp" and ".shx", checked against the files before a reader
// trusts the offsets they hold.

#include <cstdint>
#include <filesystem>

namespace files {

// Checks that both files carry the shapefile mark, that neither is shorter than its header
// says, and that every record the ".shx" lists lies inside the ".shp" (its offset past the
// ".shp" header, its record header and content before the file's end). The part and point
// counts inside each record are checked where the record is read. Returns the number of records
// the ".shx" lists. Raises FileError naming the file and what is wrong; reads only.
std::uint64_t check_shape_index(const std::filesystem::path& shp, const std::filesystem::path& shx);

} // namespace files
