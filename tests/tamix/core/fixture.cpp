#include "fixture.h"

#include "network_files.h"
#include "shapefile_reader.h"

#include <shapefil.h>

#include <cstdlib>
#include <iostream>
#include <random>

namespace tamix::test {

TempFolder::TempFolder() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "tamix";
  for (char& c : name)
    if (c == '/')
      c = '_';
  path_ = std::filesystem::temp_directory_path() /
          ("corvane-" + name + "-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

Record line(std::vector<Point> points) {
  return Record{{std::move(points)}};
}

void write_shapefile(const std::filesystem::path& folder, const std::string& layer,
                     const std::vector<Record>& records, int shape_type) {
  const std::string base = (folder / layer).string();
  SHPHandle shp = SHPCreate(base.c_str(), shape_type);
  DBFHandle dbf = DBFCreate(base.c_str());
  ASSERT_TRUE(shp && dbf);
  DBFAddField(dbf, "CLASS", FTInteger, 10, 0);
  for (std::size_t r = 0; r < records.size(); ++r) {
    std::vector<double> x, y;
    std::vector<int> starts;
    for (const auto& part : records[r].parts) {
      starts.push_back(int(x.size()));
      for (const Point& p : part) {
        x.push_back(p.x);
        y.push_back(p.y);
      }
    }
    SHPObject* object =
        starts.empty() ? SHPCreateObject(SHPT_NULL, -1, 0, nullptr, nullptr, 0, nullptr, nullptr,
                                         nullptr, nullptr)
                       : SHPCreateObject(shape_type, -1, int(starts.size()), starts.data(), nullptr,
                                         int(x.size()), x.data(), y.data(), nullptr, nullptr);
    SHPWriteObject(shp, -1, object);
    SHPDestroyObject(object);
    DBFWriteIntegerAttribute(dbf, int(r), 0, int(r % 5));
  }
  SHPClose(shp);
  DBFClose(dbf);
}

std::vector<Record> grid_records(int columns, int rows, double spacing) {
  std::vector<Record> records;
  for (int j = 0; j < rows; ++j)
    for (int i = 0; i < columns; ++i) {
      Point p{i * spacing, j * spacing};
      if (i + 1 < columns)
        records.push_back(line({p, {p.x + spacing, p.y}}));
      if (j + 1 < rows)
        records.push_back(line({p, {p.x, p.y + spacing}}));
    }
  return records;
}

std::filesystem::path copy_sample(const std::filesystem::path& folder) {
  const std::filesystem::path sample =
      std::filesystem::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg";
  for (const char* ext : {".shp", ".shx", ".dbf", ".prj"})
    std::filesystem::copy_file(sample / (std::string("roads") + ext),
                               folder / (std::string("roads") + ext));
  return folder;
}

Network build_and_load(const std::filesystem::path& folder, const std::string& layer,
                       int map_units) {
  create_network(folder, layer, map_units);
  return load_network(folder);
}

NodeId node_at(const Network& network, Point point) {
  for (NodeId v = 1; v <= network.node_count(); ++v)
    if (network.node_points[v] == point)
      return v;
  return no_node;
}

unsigned test_seed(unsigned fallback) {
  unsigned seed = fallback;
  if (const char* text = std::getenv("CORVANE_SEED"))
    seed = unsigned(std::strtoul(text, nullptr, 10));
  std::cout << "[ seed ] " << seed << " (set CORVANE_SEED to repeat)\n";
  return seed;
}

} // namespace tamix::test
