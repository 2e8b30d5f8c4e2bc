#include "zone_shapefile.h"

#include "files/replace_file.h"
#include "output_table_dbf.h"
#include "output_table_lines.h"
#include "result_field.h"

#include <cstring>

namespace tamix {

void write_zone_shapefile(geos::Context& geometry, const std::filesystem::path& base,
                          const ZoneField& field, std::span<const geos::Geometry> areas,
                          std::span<const double> values, files::Durability durability) {
  finish_earlier_set(base);
  LineShapeWriter shapes(base, ShapeKind::polygon);
  DbfWriter table(with_extension(base, ".dbf"));
  const std::size_t offset = table.add_field(field.name, 'N', field.width, field.decimals);
  std::vector<Point> points;
  std::vector<std::int32_t> starts;
  for (std::size_t k = 0; k < areas.size(); ++k) {
    const geos::Rings rings = geometry.shapefile_rings(*areas[k]);
    if (rings.empty()) {
      shapes.write_null();
    } else {
      points.clear();
      starts.clear();
      for (const auto& ring : rings) {
        starts.push_back(static_cast<std::int32_t>(points.size()));
        points.insert(points.end(), ring.begin(), ring.end());
      }
      shapes.write_line(points, starts);
    }
    const std::string text = dbf_number_text(values[k], field.width, field.decimals);
    std::memcpy(table.next_record() + offset, text.data(), text.size());
  }
  OutputSet set;
  shapes.finish(set);
  table.finish(set);
  replace_output_set(set, {}, durability);
}

} // namespace tamix
