#include "fixture.h"

#include "files/replace_file.h"
#include "files/replace_together.h"
#include "geos_geometry.h"
#include "node_shapefiles.h"
#include "output_table.h"
#include "replacement_stop.h"
#include "zone_shapefile.h"

#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>

namespace tamix::test {
namespace {

namespace fs = std::filesystem;
using files::testing::Step;

// The files of a set by name, byte for byte.
using SetBytes = std::map<std::string, std::string>;

SetBytes set_bytes(const fs::path& folder) {
  SetBytes bytes;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const auto name = entry.path().filename().string();
    if (name.rfind("out.", 0) != 0)
      continue;
    std::ifstream in(entry.path(), std::ios::binary);
    bytes[name] = {std::istreambuf_iterator<char>(in), {}};
  }
  return bytes;
}

// One engine output written under "<folder>/out"; `generation` 0 or 1 makes an older and a
// newer set that differ in every file but the code page.
struct OutputWriter {
  const char* what;
  std::function<void(const fs::path& base, int generation)> write;
  // The lines begin with the first row that has one: when they cannot, the table is closed with
  // the rows it holds, by design, and stands alone.
  bool lines_begun_late = false;
};

const Network& drawn_network() {
  static const TempFolder folder;
  static const Network network = [] {
    write_shapefile(
        folder.path(), "net",
        {line({{0, 0}, {1000, 0}}), line({{1000, 0}, {2000, 0}}), line({{2000, 0}, {2000, 1000}})});
    return build_and_load(folder.path(), "net");
  }();
  return network;
}

const OutputWriter writers[] = {
    {"node points",
     [](const fs::path& base, int generation) {
       if (generation == 0)
         write_close_node_shapefile(base, drawn_network(), {});
       else
         write_node_shapefile(base, drawn_network());
     }},
    {"zone polygons",
     [](const fs::path& base, int generation) {
       geos::Context geometry;
       std::vector<geos::Geometry> areas;
       std::vector<double> values;
       for (int k = 0; k <= generation; ++k) {
         areas.push_back(geometry.rectangle({0, 0}, {100.0 * (k + 1), 50}));
         values.push_back(k + 1);
       }
       write_zone_shapefile(geometry, base, cost_end_field, areas, values);
     }},
    {"output table with lines",
     [](const fs::path& base, int generation) {
       OutputTable table(base);
       table.add_field("Name", OutputFieldType::text, 10, 0);
       for (int row = 0; row <= generation; ++row) {
         table.write_row(generation == 0 ? R"("old")" : R"("new")", 1);
         table.add_link(std::vector<Point>{{0, 0}, {1.0 + row, 1}}, 0, 1);
       }
       table.close();
     },
     true},
};

struct StopAt {
  Step step;
  std::string file;
  bool decided; // the new set is recorded, so the next open completes it
};

// Every step of a replacement of `files`: the temporaries made one by one, the record made and
// named, the renames, and the record forgotten.
std::vector<StopAt> stop_points(const SetBytes& files) {
  std::vector<StopAt> points;
  for (const auto& [name, bytes] : files)
    points.push_back({Step::create_temporary, name, false});
  points.push_back({Step::create_temporary, "out.replacing", false});
  points.push_back({Step::rename, "out.replacing", false});
  for (const auto& [name, bytes] : files)
    points.push_back({Step::rename, name, true});
  points.push_back({Step::forget_record, "out.replacing", true});
  return points;
}

class OutputSets : public ::testing::Test {
protected:
  void TearDown() override { files::testing::before_step = nullptr; }
};

// Whatever the step at which writing an output set over an older one stops, a failure or a kill,
// the next open finds the older set byte for byte or the whole new one, never some of each, and
// nothing of the replacement beside it.
TEST_F(OutputSets, AReplacementStoppedAtAnyStepLeavesTheOldSetOrTheNewOne) {
  for (const OutputWriter& writer : writers) {
    SCOPED_TRACE(writer.what);
    TempFolder clean;
    writer.write(clean.path() / "out", 0);
    const SetBytes before = set_bytes(clean.path());
    writer.write(clean.path() / "out", 1);
    const SetBytes after = set_bytes(clean.path());
    ASSERT_NE(before, after);

    for (const StopAt& point : stop_points(after))
      for (const bool kill : {false, true}) {
        SCOPED_TRACE(std::string(kill ? "killed" : "failed") + " before step " +
                     std::to_string(int(point.step)) + " of " + point.file);
        TempFolder folder;
        const fs::path base = folder.path() / "out";
        writer.write(base, 0);
        ASSERT_EQ(set_bytes(folder.path()), before);
        if (kill) {
          ASSERT_TRUE(files::testing::killed_before(point.step, point.file,
                                                    [&] { writer.write(base, 1); }));
        } else {
          files::testing::stop_before(point.step, point.file, false);
          EXPECT_ANY_THROW(writer.write(base, 1));
          files::testing::before_step = nullptr;
        }

        // What a reader does before it trusts a file of the set.
        for (const auto& [name, bytes] : after)
          files::finish_replacement(folder.path() / name);
        const SetBytes left = set_bytes(folder.path());
        const bool lines_failed = !kill && writer.lines_begun_late &&
                                  point.step == Step::create_temporary &&
                                  (point.file == "out.shp" || point.file == "out.shx");
        if (lines_failed) {
          EXPECT_EQ(left.size(), 2U); // the table and its code page
          EXPECT_TRUE(left.contains("out.dbf") && left.at("out.dbf") != before.at("out.dbf"));
        } else {
          EXPECT_EQ(left, point.decided ? after : before);
        }
        for (const auto& entry : fs::directory_iterator(folder.path()))
          for (const char* left : {".tmp", ".replacing"})
            EXPECT_NE(entry.path().extension(), left) << entry.path();
      }
  }
}

// The indexes of the old set would point the new records at the old shapes.
TEST_F(OutputSets, AReplacedSetLosesTheOldIndexesAndKeepsItsProjection) {
  TempFolder folder;
  const fs::path base = folder.path() / "out";
  writers[1].write(base, 0);
  for (const char* extension : {".sbn", ".sbx", ".qix", ".prj"})
    std::ofstream(base.string() + extension) << "old";
  writers[1].write(base, 1);
  for (const char* extension : {".sbn", ".sbx", ".qix"})
    EXPECT_FALSE(fs::exists(base.string() + extension)) << extension;
  EXPECT_TRUE(fs::exists(base.string() + ".prj"));
}

} // namespace
} // namespace tamix::test
