#pragma once

// The rewrite behind HostLineMerge: the shapefile's three files read whole, the runs joined in
// memory, and the set rewritten with the joined lines in place of their runs (rewrite_set), so
// that the three files are always either all old or all new. Raises HostError naming the file
// or record.

#include <cstdint>
#include <string>
#include <vector>

#include "data/shapefile_paths.h"

namespace host {

// Records are numbered from 0; see HostLineMerge::MergeLines for what a run is.
void merge_line_records(const ShapefilePaths& files,
                        const std::vector<std::vector<std::int32_t>>& runs);

} // namespace host
