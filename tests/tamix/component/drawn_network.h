#pragma once

// A small road network drawn as a shapefile in a temporary folder of its own, with the fields
// the add-in gives a network layer: "NAME" (text) and "CV_RESULT" (number, 11 wide, 3 decimals).
//
//   D (0,1000) ------5------ E (2000,1000)          F (5000,5000) --6-- G (6000,5000)
//   |                        |
//   3                        4
//   |                        |
//   A (0,0) --1-- B (1000,0) --2-- C (2000,0)
//
// Link 2 is drawn from C to B, against the way from A to C. Coordinates are metres.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tamix::test {

struct XY {
  double x;
  double y;
  friend bool operator==(const XY&, const XY&) = default;
};

inline constexpr XY A{0, 0}, B{1000, 0}, C{2000, 0}, D{0, 1000}, E{2000, 1000}, F{5000, 5000},
    G{6000, 5000};

class DrawnNetwork {
public:
  // Writes "<folder>/net.shp" with the links above (or with `links`).
  DrawnNetwork();
  explicit DrawnNetwork(const std::vector<std::vector<XY>>& links);
  ~DrawnNetwork();
  DrawnNetwork(const DrawnNetwork&) = delete;
  DrawnNetwork& operator=(const DrawnNetwork&) = delete;

  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path file(const std::string& extension) const {
    return folder_ / ("net" + extension);
  }
  static constexpr const char* layer = "net";

private:
  std::filesystem::path folder_;
};

// Values of one numeric field of a .dbf, row by row, as GDAL and as shapelib read them.
std::vector<double> read_with_gdal(const std::filesystem::path& dbf, const std::string& field);
std::vector<double> read_with_shapelib(const std::filesystem::path& dbf, const std::string& field);

struct TableRow {
  std::vector<std::string> values;
  std::vector<std::vector<XY>> parts; // empty: no geometry
};
// The rows of "<base>.shp" (or "<base>.dbf" when there is no .shp), as GDAL reads them.
std::vector<TableRow> read_table(const std::filesystem::path& base);

} // namespace tamix::test
