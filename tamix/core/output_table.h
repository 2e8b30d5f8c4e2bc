#pragma once

// The engine's output table: "<path>.dbf", and "<path>.shp"/".shx" when some row had links, for
// results such as a time-distance table with its routes.
//
// The fields are declared first; then each row arrives as one text of quoted, comma-separated
// values in field order ("a","b ""quoted""","12.5"), followed by the pieces of links that make
// its line, in travel order from origin to target. Rows are written as they come (through
// buffers), and closing completes the headers, so a table closed early (or dropped, which
// closes it) holds every row given so far, readable by any shapefile reader.

#include "graph.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tamix {

enum class OutputFieldType { text = 1, number = 5 };

// The width and decimals a number field gets when the caller leaves both at 0.
inline constexpr int default_number_width = 19;
inline constexpr int default_number_decimals = 6;

// Splits a row text into its values: values are separated by commas; a value in double quotes
// may hold commas, and "" inside it stands for one quote. Blanks outside quotes are dropped.
std::vector<std::string> parse_row_text(std::string_view text);
// The same into `values`, whose strings are reused (one table parses a million rows).
void parse_row_text(std::string_view text, std::vector<std::string>& values);

class DbfWriter;
class LineShapeWriter;

class OutputTable {
public:
  // Starts a new table (UTF-8 text) beside the old "<path>" files, which stay until close()
  // replaces them all together: the .dbf, .cpg and, with lines, the .shp and .shx; an old
  // .shp/.shx without new lines and the old .prj are deleted. `path` has no extension. Raises
  // output_file_failed when the files cannot be made.
  explicit OutputTable(std::filesystem::path path);
  ~OutputTable();
  OutputTable(const OutputTable&) = delete;
  OutputTable& operator=(const OutputTable&) = delete;

  // Declares the next field: text `width` characters wide (1..254), or a number with
  // `width`/`decimals` (0 and 0 = default_number_width and default_number_decimals). Raises
  // out_of_bounds for another type or a width outside the limits, general_error once a row has
  // been written.
  void add_field(const std::string& name, OutputFieldType type, int width, int decimals);

  // Writes the next row; `link_count` pieces of links follow through add_link. Texts longer than
  // their field are cut (at a character boundary); a number that cannot be read stays empty.
  // Raises out_of_bounds when the text holds more values than the table has fields.
  void write_row(std::string_view row_text, std::uint32_t link_count);

  // Adds to the current row's line the part of a link (its shape `points`) between the fractions
  // `from` and `to` of its length; from > to runs against the shape's direction. Raises
  // out_of_bounds when the row expects no more links, or a fraction is outside 0..1.
  void add_link(std::span<const Point> points, double from, double to);

  // Finishes the files: a row whose links did not all come keeps the line it has. Without any
  // row that had links, the .shp and .shx are removed and the table stands alone. Raises
  // output_file_failed when the files cannot be finished.
  void close();

private:
  struct Field {
    OutputFieldType type;
    int width;
    int decimals;
    std::size_t offset; // in the record
  };
  void start_lines();
  void finish_pending_line();

  std::filesystem::path path_;
  std::unique_ptr<DbfWriter> table_;
  std::unique_ptr<LineShapeWriter> lines_; // made by the first row with links
  std::vector<Field> fields_;
  std::uint32_t rows_ = 0;
  std::uint32_t links_expected_ = 0;
  bool pending_line_ = false;
  // The pending row's line and the buffers that make it, kept from row to row.
  std::vector<Point> line_points_;
  std::vector<std::int32_t> line_parts_;
  std::vector<Point> piece_;
  std::vector<double> walked_;
  std::vector<std::string> values_;
};

} // namespace tamix
