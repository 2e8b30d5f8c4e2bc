#pragma once

// The polygon shapefiles of zones: "<base>.shp", ".shx" and ".dbf" (with the ".cpg" that names
// its encoding), one record per area in the order given, a null shape for an empty area, and
// one numeric field. The files are written under temporary names and replace the older files of
// that name together once all are whole (see replace_output_set). A ".prj" at the base belongs to
// the caller: it is never created, changed or deleted.

#include "geos_geometry.h"

#include <filesystem>
#include <span>
#include <string>

#include "files/replace_file.h"
#include "tamix/output_fields.h"

namespace tamix {

struct ZoneField {
  std::string name;
  int width;
  int decimals;
};

// "COST_END": a zone's limit, which the add-in matches against the text of a single-precision
// zone limit: 7 significant digits, with room for small and large limits alike.
inline const ZoneField cost_end_field{std::string(output::cost_end_field), 24, 10};
// "ID": the number of a zone's centre.
inline const ZoneField centre_id_field{std::string(output::centre_id_field), 10, 0};

// Raises output_file_failed when a file cannot be written; the older files then stay. A scratch
// set (read by the caller at once, then removed) is not synced to disk.
void write_zone_shapefile(geos::Context& geometry, const std::filesystem::path& base,
                          const ZoneField& field, std::span<const geos::Geometry> areas,
                          std::span<const double> values,
                          files::Durability durability = files::Durability::synced);

} // namespace tamix
