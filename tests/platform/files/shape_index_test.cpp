#include "files/shape_index.h"

#include <gtest/gtest.h>

#include <string>

#include "common/support/test_folder.h"
#include "files/file_error.h"
#include "platform/files/file_bytes.h"

namespace files::test {
namespace {

namespace fs = std::filesystem;

Bytes main_header(std::uint32_t bytes) {
  Bytes header(100, 0);
  put_be(header, 0, 9994);
  put_be(header, 24, bytes / 2);
  put_le(header, 28, 1000, 4);
  put_le(header, 32, 3, 4);
  return header;
}

// Two polyline records of 4 bytes of content each (their shapes do not matter here), and the
// index that lists them.
struct Shapefile {
  Bytes shp = main_header(100 + 2 * 12);
  Bytes shx = main_header(100 + 2 * 8);
  Shapefile() {
    shp.resize(100 + 2 * 12, 0);
    shx.resize(100 + 2 * 8, 0);
    for (std::uint32_t r = 0; r < 2; ++r) {
      put_be(shx, 100 + 8 * r, (100 + 12 * r) / 2);
      put_be(shx, 104 + 8 * r, 2);
    }
  }
};

class ShapeIndexTest : public ::testing::Test {
protected:
  fs::path folder = corvane::testing::fresh_test_folder("files");
  fs::path shp = folder / "roads.shp";
  fs::path shx = folder / "roads.shx";
  void TearDown() override { fs::remove_all(folder); }
  void write(const Shapefile& files) {
    write_bytes(shp, files.shp);
    write_bytes(shx, files.shx);
  }
};

TEST_F(ShapeIndexTest, AcceptsAConsistentPairAndCountsItsRecords) {
  write(Shapefile());
  EXPECT_EQ(check_shape_index(shp, shx), 2u);
}

TEST_F(ShapeIndexTest, RefusesHeadersAndOffsetsBeyondTheFiles) {
  struct Case {
    const char* lie;
    void (*damage)(Shapefile&);
    const char* file;
    const char* reason;
  };
  const Case cases[] = {
      {"a truncated .shp", [](Shapefile& f) { f.shp.resize(110); }, "roads.shp",
       "its header gives a length of 124 bytes, but the file has 110"},
      {"an offset past the .shp", [](Shapefile& f) { put_be(f.shx, 108, 4000); }, "roads.shx",
       "record 1 lies outside roads.shp"},
      {"a length past the .shp", [](Shapefile& f) { put_be(f.shx, 112, 900); }, "roads.shx",
       "record 1 lies outside roads.shp"},
      {"an offset inside the header", [](Shapefile& f) { put_be(f.shx, 100, 10); }, "roads.shx",
       "record 0 lies outside roads.shp"},
      {"an index longer than its file", [](Shapefile& f) { put_be(f.shx, 24, 500); }, "roads.shx",
       "its header gives a length of 1000 bytes, but the file has 116"},
      {"no shapefile mark", [](Shapefile& f) { f.shp[3] = 0; }, "roads.shp",
       "is not a shapefile"},
      {"a stub of an index", [](Shapefile& f) { f.shx.resize(40); }, "roads.shx",
       "too short to be a shapefile"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lie);
    Shapefile files;
    c.damage(files);
    write(files);
    try {
      check_shape_index(shp, shx);
      ADD_FAILURE() << "accepted";
    } catch (const FileError& refused) {
      const std::string message = refused.what();
      EXPECT_EQ(message.rfind((folder / c.file).string() + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
  }
}

} // namespace
} // namespace files::test
