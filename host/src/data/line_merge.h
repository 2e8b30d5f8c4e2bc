#pragma once

// The rewrite behind HostLineMerge: the shapefile's three files read whole, the runs joined in
// memory, new files written beside the old ones and renamed over them only when all three are
// whole, as one set through files::replace_together: a record decides the new set before the
// first rename, and a set stopped between its renames is finished when it is next opened, so
// the three are always either all old or all new. Raises HostError naming the file or record.

#include <cstdint>
#include <string>
#include <vector>

namespace host {

struct ShapefilePaths {
  std::string shp, shx, dbf;
};

// Records are numbered from 0; see HostLineMerge::MergeLines for what a run is.
void merge_line_records(const ShapefilePaths& files,
                        const std::vector<std::vector<std::int32_t>>& runs);

} // namespace host
