#pragma once

// The one place where a shapefile becomes plain arrays; the rest of the engine never sees a
// shapefile library.

#include "graph.h"
#include "progress.h"

#include <filesystem>
#include <optional>

namespace tamix {

// Reads every record of the polyline shapefile `shp` (its .shx and .dbf must be beside it) in
// record order: the shape of record r becomes geometry.of(r + 1). A null shape or one with
// fewer than two points gives a record without points. A multi-part polyline becomes one line:
// its parts joined in order, so the link runs from the first point of the first part to the
// last point of the last part (crossing any gap between parts).
// Raises load_failed when the .shp is missing; illegal_shapefile when the .shx or .dbf is
// missing, a header of the .shp, .shx or .dbf does not agree with its file (the message names
// the file and what is wrong), the type is not polyline (Z and M allowed), a record cannot be
// read, the .dbf has another record count, or there is no record with a shape.
LinkGeometry read_polyline_shapefile(const std::filesystem::path& shp,
                                     const Progress& progress = {}, int progress_to = 100);

// The whole network build: reads `folder`/`layer`.shp, builds the network with lengths in
// `map_units` and writes its files into `folder`. Phases report progress 0..100.
// With `compare_links`: true when the new network has the links of the files it replaced: as
// many, and each with the same end points and length, so that a link number names the same
// road in both; false when they differ; nothing when no readable network files stood in the
// folder. Without: nothing, and the old files are not read.
std::optional<bool> create_network(const std::filesystem::path& folder, const std::string& layer,
                                   int map_units, const Progress& progress = {},
                                   bool compare_links = true);

} // namespace tamix
