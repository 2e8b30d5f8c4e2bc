#pragma once

// The lines of the output table: a polyline shapefile (".shp" and its index ".shx"), one record
// per row, null for a row without a line. The headers (file lengths, bounding box) are written
// with zeros first and completed at close.

#include "graph.h"
#include "output_table_file.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace tamix {

// The shapefile types it writes: lines of parts, or polygons whose parts are closed rings
// (outer rings clockwise, holes counter-clockwise), laid out alike; or single points.
enum class ShapeKind : std::int32_t { point = 1, polyline = 3, polygon = 5 };

class LineShapeWriter {
public:
  // `base` has no extension. Raises output_file_failed when the files cannot be made.
  explicit LineShapeWriter(const std::filesystem::path& base, ShapeKind kind = ShapeKind::polyline);

  void write_null();
  // One point, for the point kind.
  void write_point(const Point& point);
  // One line of parts: part k runs from points[part_starts[k]] to the next part's start.
  // (For polygons, the parts are the rings.)
  void write_line(std::span<const Point> points, std::span<const std::int32_t> part_starts);

  // Completes the headers and hands the ".shp" and ".shx" to `set`. Raises output_file_failed.
  void finish(OutputSet& set);

private:
  void write_record(std::span<const unsigned char> head, std::span<const std::int32_t> parts,
                    std::span<const Point> points);
  void write_headers();
  void widen_bounds(const Point& low, const Point& high);

  std::int32_t kind_;
  OutputFile shapes_;
  OutputFile index_;
  std::uint32_t records_ = 0;
  bool any_line_ = false;
  Point low_{}, high_{};
};

} // namespace tamix
