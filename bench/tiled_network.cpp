#include "tiled_network.h"

#include "attributes.h"
#include "network_files.h"
#include "shapefile_reader.h"

#include <shapefil.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace tamix::bench {

namespace {

const std::filesystem::path sample_folder =
    std::filesystem::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg";

constexpr int connectors_per_border = 40;

struct Extent {
  double min_x = INFINITY, min_y = INFINITY, max_x = -INFINITY, max_y = -INFINITY;
};

// End points of the sample's links lying in a band along one border, and the one nearest to a
// position along that border.
class Border {
public:
  Border(const std::vector<Point>& ends, bool vertical, bool high, const Extent& e) {
    const double band = 0.03 * (vertical ? e.max_x - e.min_x : e.max_y - e.min_y);
    for (const Point& p : ends) {
      double across = vertical ? p.x : p.y;
      double edge = vertical ? (high ? e.max_x : e.min_x) : (high ? e.max_y : e.min_y);
      if (std::abs(across - edge) <= band)
        points_.push_back(p);
    }
    vertical_ = vertical;
  }
  Point nearest_to(double along) const {
    return *std::min_element(points_.begin(), points_.end(), [&](const Point& a, const Point& b) {
      return std::abs((vertical_ ? a.y : a.x) - along) < std::abs((vertical_ ? b.y : b.x) - along);
    });
  }

private:
  std::vector<Point> points_;
  bool vertical_ = true;
};

// Writes the tiled "roads" shapefile into `folder` (no network files).
void write_tiled_shapefile(const std::filesystem::path& folder, int columns, int rows) {
  const LinkGeometry sample = read_polyline_shapefile(sample_folder / "roads.shp");
  const LinkId links = LinkId(sample.first_point.size() - 2);
  Extent e;
  std::vector<Point> ends;
  for (LinkId l = 1; l <= links; ++l) {
    auto points = sample.of(l);
    if (points.empty())
      continue;
    ends.push_back(points.front());
    ends.push_back(points.back());
    for (const Point& p : points) {
      e.min_x = std::min(e.min_x, p.x), e.max_x = std::max(e.max_x, p.x);
      e.min_y = std::min(e.min_y, p.y), e.max_y = std::max(e.max_y, p.y);
    }
  }
  const double gap = 50;
  const double dx = e.max_x - e.min_x + gap;
  const double dy = e.max_y - e.min_y + gap;
  const Border east(ends, true, true, e), west(ends, true, false, e);
  const Border north(ends, false, true, e), south(ends, false, false, e);

  const std::string base = (folder / "roads").string();
  SHPHandle shp = SHPCreate(base.c_str(), SHPT_ARC);
  DBFHandle dbf = DBFCreate(base.c_str());
  if (!shp || !dbf)
    throw std::runtime_error("cannot write " + base);
  DBFAddField(dbf, "CLASS", FTInteger, 4, 0);
  int record = 0;
  auto write = [&](const std::vector<Point>& points) {
    std::vector<double> x, y;
    for (const Point& p : points)
      x.push_back(p.x), y.push_back(p.y);
    SHPObject* object = SHPCreateSimpleObject(SHPT_ARC, int(x.size()), x.data(), y.data(), nullptr);
    SHPWriteObject(shp, -1, object);
    SHPDestroyObject(object);
    DBFWriteIntegerAttribute(dbf, record++, 0, 1);
  };
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < columns; ++i) {
      const Point offset{i * dx, j * dy};
      for (LinkId l = 1; l <= links; ++l) {
        auto points = sample.of(l);
        if (points.empty())
          continue;
        std::vector<Point> moved;
        for (const Point& p : points)
          moved.push_back({p.x + offset.x, p.y + offset.y});
        write(moved);
      }
      // Join this copy to its east and north neighbours.
      std::set<std::pair<double, double>> joined;
      for (int k = 0; k < connectors_per_border; ++k) {
        const double t = (k + 0.5) / connectors_per_border;
        if (i + 1 < columns) {
          const double along = e.min_y + t * (e.max_y - e.min_y);
          Point a = east.nearest_to(along), b = west.nearest_to(along);
          if (joined.insert({a.x, b.y}).second)
            write({{a.x + offset.x, a.y + offset.y}, {b.x + offset.x + dx, b.y + offset.y}});
        }
        if (j + 1 < rows) {
          const double along = e.min_x + t * (e.max_x - e.min_x);
          Point a = north.nearest_to(along), b = south.nearest_to(along);
          if (joined.insert({a.y, b.x}).second)
            write({{a.x + offset.x, a.y + offset.y}, {b.x + offset.x, b.y + offset.y + dy}});
        }
      }
    }
  SHPClose(shp);
  DBFClose(dbf);
}

} // namespace

std::filesystem::path network_folder(int columns, int rows) {
  const std::filesystem::path folder =
      std::filesystem::path(CORVANE_BINARY_DIR) / "bench-data" /
      ("roads-" + std::to_string(columns) + "x" + std::to_string(rows));
  if (std::filesystem::exists(folder / node_file))
    return folder;
  std::filesystem::create_directories(folder);
  if (columns == 1 && rows == 1) {
    for (const char* ext : {".shp", ".shx", ".dbf"})
      std::filesystem::copy_file(sample_folder / (std::string("roads") + ext),
                                 folder / (std::string("roads") + ext),
                                 std::filesystem::copy_options::overwrite_existing);
  } else {
    write_tiled_shapefile(folder, columns, rows);
  }
  create_network(folder, "roads", 7);
  return folder;
}

} // namespace tamix::bench
