#include "tiled_network.h"

#include "attributes.h"
#include "network_files.h"
#include "shapefile_reader.h"

#include <shapefil.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
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

// The "roads" shapefile of a folder, written a line at a time, each with road class 1.
class RoadsShapefile {
public:
  explicit RoadsShapefile(const std::filesystem::path& folder)
      : base_((folder / "roads").string()), shp_(SHPCreate(base_.c_str(), SHPT_ARC)),
        dbf_(DBFCreate(base_.c_str())) {
    if (!shp_ || !dbf_)
      throw std::runtime_error("cannot write " + base_);
    DBFAddField(dbf_, "CLASS", FTInteger, 4, 0);
  }
  ~RoadsShapefile() {
    SHPClose(shp_);
    DBFClose(dbf_);
  }
  RoadsShapefile(const RoadsShapefile&) = delete;
  RoadsShapefile& operator=(const RoadsShapefile&) = delete;

  void write(const std::vector<Point>& points) {
    std::vector<double> x, y;
    for (const Point& p : points)
      x.push_back(p.x), y.push_back(p.y);
    SHPObject* object = SHPCreateSimpleObject(SHPT_ARC, int(x.size()), x.data(), y.data(), nullptr);
    SHPWriteObject(shp_, -1, object);
    SHPDestroyObject(object);
    DBFWriteIntegerAttribute(dbf_, records_++, 0, 1);
  }
  int records() const { return records_; }

private:
  std::string base_;
  SHPHandle shp_;
  DBFHandle dbf_;
  int records_ = 0;
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

  RoadsShapefile roads(folder);
  const auto write = [&](const std::vector<Point>& points) { roads.write(points); };
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
}

constexpr int long_extent_links = 3982;

// Towns on a jittered 8 x 6 lattice over 324 x 240 km, each a square grid of streets 250 m
// apart, every town joined to its east and north neighbours by a winding country road cut into
// links of about 3 km; the first `long_extent_links` links of these are written.
void write_long_extent_shapefile(const std::filesystem::path& folder) {
  std::mt19937 random(33);
  const auto unit = [&] { return double(random()) / 4294967296.0; };
  const Point origin{300000, 6300000};
  constexpr int town_columns = 8, town_rows = 6;
  constexpr double width = 324000, height = 240000, street = 250;
  struct Town {
    Point hub;
    int size;
  };
  std::vector<Town> towns;
  for (int j = 0; j < town_rows; ++j)
    for (int i = 0; i < town_columns; ++i) {
      const bool border = i == 0 || j == 0 || i == town_columns - 1 || j == town_rows - 1;
      const double jitter = border ? 0 : 8000;
      const int size = 4 + int(unit() * 5);
      // The town lies wholly within the extent, its hub (a street corner) where roads meet.
      const double half = (size - 1) * street / 2;
      const double x = std::clamp(i * width / (town_columns - 1) + (unit() - 0.5) * 2 * jitter,
                                  half, width - half);
      const double y = std::clamp(j * height / (town_rows - 1) + (unit() - 0.5) * 2 * jitter, half,
                                  height - half);
      towns.push_back({{origin.x + x, origin.y + y}, size});
    }
  std::vector<std::vector<Point>> links;
  const auto road = [&](Point a, Point b) {
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const int bends = std::max(2, int(length / 500));
    const Point across{-(b.y - a.y) / length, (b.x - a.x) / length};
    const double phase = unit() * 6.283;
    std::vector<Point> line{a};
    for (int k = 1; k <= bends; ++k) {
      const double t = double(k) / bends;
      const double off = k == bends ? 0 : 600 * std::sin(phase + t * 9) + (unit() - 0.5) * 200;
      line.push_back(k == bends ? b
                                : Point{a.x + t * (b.x - a.x) + off * across.x,
                                        a.y + t * (b.y - a.y) + off * across.y});
      if (line.size() == 7 || k == bends) {
        links.push_back(line);
        line = {line.back()};
      }
    }
  };
  for (int j = 0; j < town_rows; ++j)
    for (int i = 0; i < town_columns; ++i) {
      const Point hub = towns[std::size_t(j * town_columns + i)].hub;
      if (i + 1 < town_columns)
        road(hub, towns[std::size_t(j * town_columns + i + 1)].hub);
      if (j + 1 < town_rows)
        road(hub, towns[std::size_t((j + 1) * town_columns + i)].hub);
    }
  for (const Town& town : towns) {
    // Corner (size / 2, size / 2) of the town's grid is its hub.
    const auto corner = [&](int i, int j) {
      return Point{town.hub.x + (i - town.size / 2) * street,
                   town.hub.y + (j - town.size / 2) * street};
    };
    for (int j = 0; j < town.size; ++j)
      for (int i = 0; i < town.size; ++i) {
        if (i + 1 < town.size)
          links.push_back({corner(i, j), corner(i + 1, j)});
        if (j + 1 < town.size)
          links.push_back({corner(i, j), corner(i, j + 1)});
      }
  }
  if (links.size() < long_extent_links)
    throw std::runtime_error("the long-extent network came out with too few links");
  RoadsShapefile roads(folder);
  for (std::size_t k = 0; k < long_extent_links; ++k)
    roads.write(links[k]);
}

// The folder `name` of bench-data with its roads written by `write` and its network built,
// made once.
std::filesystem::path
built_network(const std::string& name,
              const std::function<void(const std::filesystem::path&)>& write) {
  const std::filesystem::path folder =
      std::filesystem::path(CORVANE_BINARY_DIR) / "bench-data" / name;
  if (std::filesystem::exists(folder / node_file))
    return folder;
  std::filesystem::create_directories(folder);
  write(folder);
  create_network(folder, "roads", 7);
  return folder;
}

} // namespace

std::filesystem::path network_folder(int columns, int rows) {
  return built_network("roads-" + std::to_string(columns) + "x" + std::to_string(rows),
                       [&](const std::filesystem::path& folder) {
                         if (columns == 1 && rows == 1) {
                           for (const char* ext : {".shp", ".shx", ".dbf"})
                             std::filesystem::copy_file(
                                 sample_folder / (std::string("roads") + ext),
                                 folder / (std::string("roads") + ext),
                                 std::filesystem::copy_options::overwrite_existing);
                         } else {
                           write_tiled_shapefile(folder, columns, rows);
                         }
                       });
}

std::filesystem::path long_extent_network_folder() {
  return built_network("roads-long-extent", write_long_extent_shapefile);
}

} // namespace tamix::bench
