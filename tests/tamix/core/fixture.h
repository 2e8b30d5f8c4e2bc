#pragma once

// Test networks: small drawn networks written as shapefiles in a per-test temporary folder, and
// a copy of the sample network.

#include "graph.h"
#include "network.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tamix::test {

// A folder of its own for one test, removed afterwards.
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

private:
  std::filesystem::path path_;
};

// One record of a drawn network: its parts (each a run of points); no parts = a null shape.
struct Record {
  std::vector<std::vector<Point>> parts;
};
Record line(std::vector<Point> points);
inline Record null_shape() {
  return {};
}

// Writes `folder`/`layer`.shp/.shx/.dbf with the records (shape type polyline unless told
// otherwise, e.g. SHPT_POLYGON); the .dbf holds one integer field "CLASS".
void write_shapefile(const std::filesystem::path& folder, const std::string& layer,
                     const std::vector<Record>& records, int shape_type = 3);

// A grid of `columns` x `rows` nodes `spacing` apart, linked to right and upper neighbours.
std::vector<Record> grid_records(int columns, int rows, double spacing);

// Copies the sample network's roads.* into `folder` and returns the folder.
std::filesystem::path copy_sample(const std::filesystem::path& folder);

// Builds (map units metre) and loads the network of `layer` in `folder`.
Network build_and_load(const std::filesystem::path& folder, const std::string& layer,
                       int map_units = 7);

// The node at exactly `point` (no_node when there is none): tests name nodes by place, since
// the numbering is the engine's.
NodeId node_at(const Network& network, Point point);

// The seed of a randomised test: CORVANE_SEED when set, else `fallback`; printed either way.
unsigned test_seed(unsigned fallback);

} // namespace tamix::test
