#include <gtest/gtest.h>
#include <shapefil.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/host_error.h"
#include "files/replace_file.h"
#include "fixture.h"
#include "host/line_merge.h"
#include "host/table.h"
#include "replacement_stop.h"
#include "shapefile_reader.h"

namespace host::test {
namespace {

namespace fs = std::filesystem;
// One link with Z and M at each vertex, and its attributes.
struct ZmLink {
  std::vector<std::array<double, 4>> vertices; // x, y, z, m
  const char* name;
  int road_class;
  double speed;
};

// Links of a road drawn every which way, as a PolylineZ shapefile with M values, the fields
// NAME C(10), CLASS N(5,0) and SPEED N(8,2), code page byte 87 with its ".cpg", a ".prj" and a
// spatial index file:
//   0: (0,0) -> (10,0)   "Base"   the first link of the run
//   1: (20,0) -> (10,0)  "Back"   drawn against the base
//   2: (50,50) -> (60,60) "Apart" in no run
//   3: (20,0) -> (30,0)  "Next"
const std::vector<ZmLink> zm_links = {
    {{{0, 0, 1, 10}, {10, 0, 2, 11}}, "Base", 7, 12.5},
    {{{20, 0, 4, 13}, {15, 1, 3.5, 12.5}, {10, 0, 3, 12}}, "Back", 2, 30},
    {{{50, 50, 0, 0}, {60, 60, 0, 0}}, "Apart", 3, 40},
    {{{20, 0, 4, 14}, {30, 0, 5, 15}}, "Next", 4, 50},
};

// As the set `name`, the first `count` links.
void write_zm_links(const fs::path& folder, const std::string& name = "roads",
                    std::size_t count = zm_links.size()) {
  const std::string base = (folder / name).string();
  SHPHandle shp = SHPCreate(base.c_str(), SHPT_ARCZ);
  DBFHandle dbf = DBFCreateEx((base + ".dbf").c_str(), "LDID/87");
  DBFAddField(dbf, "NAME", FTString, 10, 0);
  DBFAddField(dbf, "CLASS", FTInteger, 5, 0);
  DBFAddField(dbf, "SPEED", FTDouble, 8, 2);
  for (const auto& link : std::vector<ZmLink>(zm_links.begin(), zm_links.begin() + count)) {
    std::vector<double> x, y, z, m;
    for (const auto& v : link.vertices) {
      x.push_back(v[0]);
      y.push_back(v[1]);
      z.push_back(v[2]);
      m.push_back(v[3]);
    }
    SHPObject* object = SHPCreateObject(SHPT_ARCZ, -1, 0, nullptr, nullptr, int(x.size()), x.data(),
                                        y.data(), z.data(), m.data());
    const int record = SHPWriteObject(shp, -1, object);
    SHPDestroyObject(object);
    DBFWriteStringAttribute(dbf, record, 0, link.name);
    DBFWriteIntegerAttribute(dbf, record, 1, link.road_class);
    DBFWriteDoubleAttribute(dbf, record, 2, link.speed);
  }
  SHPClose(shp);
  DBFClose(dbf);
  std::ofstream(base + ".cpg") << "UTF-8";
  std::ofstream(base + ".prj") << utm32n_prj;
  std::ofstream(base + ".qix") << "a spatial index";
}

const std::vector<std::string> shapefile_files = {"roads.shp", "roads.shx", "roads.dbf"};

std::vector<Bytes> shapefile_bytes(const fs::path& folder) {
  std::vector<Bytes> bytes;
  for (const auto& name : shapefile_files)
    bytes.push_back(read_bytes(folder / name));
  return bytes;
}

com::HRESULT merge(const fs::path& folder, const std::vector<std::vector<std::int32_t>>& runs,
                   std::string* why = nullptr) {
  const auto merger = open_class(folder, "roads").as<HostLineMerge>();
  EXPECT_TRUE(merger);
  return merger ? merger->MergeLines(runs, why) : com::E_FAIL;
}

class LineMerge : public ::testing::Test {
protected:
  void SetUp() override { write_zm_links(folder.path()); }
  void TearDown() override { files::testing::before_step = nullptr; }
  TempFolder folder;
};

TEST_F(LineMerge, ARunBecomesOneLineWithTheBasesAttributesDirectionZAndM) {
  const Bytes dbf_before = read_bytes(folder.path() / "roads.dbf");
  ASSERT_EQ(merge(folder.path(), {{0, 1, 3}}), com::S_OK);

  const std::string base = (folder.path() / "roads").string();
  SHPHandle shp = SHPOpen(base.c_str(), "rb");
  ASSERT_NE(shp, nullptr);
  int count = 0, type = 0;
  SHPGetInfo(shp, &count, &type, nullptr, nullptr);
  EXPECT_EQ(type, SHPT_ARCZ);
  ASSERT_EQ(count, 2);
  SHPObject* joined = SHPReadObject(shp, 1);
  ASSERT_NE(joined, nullptr);
  std::vector<std::array<double, 4>> vertices;
  for (int k = 0; k < joined->nVertices; ++k)
    vertices.push_back({joined->padfX[k], joined->padfY[k], joined->padfZ[k], joined->padfM[k]});
  EXPECT_EQ(joined->nParts, 1);
  SHPDestroyObject(joined);
  SHPClose(shp);
  // From the base's start; at a joint the line keeps the vertex it already had.
  EXPECT_EQ(
      vertices,
      (std::vector<std::array<double, 4>>{
          {0, 0, 1, 10}, {10, 0, 2, 11}, {15, 1, 3.5, 12.5}, {20, 0, 4, 13}, {30, 0, 5, 15}}));

  // The records left keep their order; the joined one follows with the base's values, byte for
  // byte; the header is the old one but for the record count.
  DBFHandle dbf = DBFOpen((base + ".dbf").c_str(), "rb");
  ASSERT_NE(dbf, nullptr);
  EXPECT_EQ(DBFGetRecordCount(dbf), 2);
  EXPECT_STREQ(DBFReadStringAttribute(dbf, 0, 0), "Apart");
  EXPECT_STREQ(DBFReadStringAttribute(dbf, 1, 0), "Base");
  EXPECT_EQ(DBFReadIntegerAttribute(dbf, 1, 1), 7);
  EXPECT_EQ(DBFReadDoubleAttribute(dbf, 1, 2), 12.5);
  DBFClose(dbf);
  const Bytes dbf_after = read_bytes(base + ".dbf");
  const std::size_t header =
      std::size_t(std::uint8_t(dbf_before[8]) | std::uint8_t(dbf_before[9]) << 8);
  ASSERT_GE(dbf_after.size(), header);
  for (std::size_t k = 0; k < header; ++k) {
    if (k < 4 || k > 7) {
      EXPECT_EQ(dbf_after[k], dbf_before[k]) << "header byte " << k;
    }
  }

  EXPECT_EQ(read_bytes(base + ".cpg"), (Bytes{'U', 'T', 'F', '-', '8'}));
  EXPECT_TRUE(fs::exists(base + ".prj"));
  EXPECT_FALSE(fs::exists(base + ".qix"));
  for (const auto& entry : fs::directory_iterator(folder.path()))
    EXPECT_EQ(entry.path().string().find(".old"), std::string::npos) << entry.path();
}

TEST_F(LineMerge, RunsThatCannotBeMadeAreRefusedAndTheFilesStayAsTheyWere) {
  const struct {
    const char* what;
    std::vector<std::vector<std::int32_t>> runs;
    const char* reason;
  } cases[] = {
      {"links that do not meet", {{0, 2}}, "feature 2 does not meet"},
      {"a run of one", {{0}}, "two features at least"},
      {"a link in two runs", {{0, 1}, {1, 3}}, "feature 1 is in two runs"},
      {"an unknown feature", {{0, 99}}, "feature 99 does not exist"},
  };
  const auto before = shapefile_bytes(folder.path());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string why;
    EXPECT_EQ(merge(folder.path(), c.runs, &why), com::E_INVALIDARG);
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    EXPECT_EQ(shapefile_bytes(folder.path()), before);
  }
  EXPECT_TRUE(fs::exists(folder.path() / "roads.qix"));
}

// A replacement stopped at a step: by a failure the merge reports, or by the process dying there
// (no destructor, no catch). The step and the file it is about to make or replace.
struct StopAt {
  files::testing::Step step;
  const char* file;
  bool decided; // the new set is recorded, so the next open completes it
};
using files::testing::Step;
const StopAt stop_points[] = {
    {Step::create_temporary, "roads.shp", false}, // before any temporary
    {Step::create_temporary, "roads.shx", false}, // between the temporaries
    {Step::create_temporary, "roads.dbf", false},
    {Step::create_temporary, "roads.replacing", false}, // all temporaries whole, no record
    {Step::rename, "roads.replacing", false},           // the record not yet under its name
    {Step::rename, "roads.shp", true},                  // the record in place, nothing renamed
    {Step::rename, "roads.shx", true},                  // between the renames
    {Step::rename, "roads.dbf", true},
    {Step::forget_record, "roads.replacing", true}, // all renamed, the record still there
};

// The rewrites of a shapefile's whole set: a merge, a deletion of records, and another set
// written whole taking its place, as an output does (the last two give up the reason in the
// host's last error).
struct Rewrite {
  const char* what;
  com::HRESULT (*run)(const fs::path& folder, std::string* why);
  // What the rewrite's caller wrote before it (the set that takes the place), so that a test
  // can stop the rewrite alone; `run` writes it itself where it is missing.
  void (*prepare)(const fs::path& folder) = nullptr;
};
const Rewrite rewrites[] = {
    {"merge",
     [](const fs::path& folder, std::string* why) {
       return merge(folder, {{0, 1, 3}}, why);
     }},
    {"delete",
     [](const fs::path& folder, std::string* why) {
       const com::HRESULT result =
           open_class(folder, "roads")->DeleteSearchedRows(make_where("NAME = 'Back'").get());
       if (why)
         *why = last_error_message();
       return result;
     }},
    {"replace",
     [](const fs::path& folder, std::string* why) {
       if (!fs::exists(folder / "fresh.shp"))
         write_zm_links(folder, "fresh", 2);
       const com::HRESULT result = open_folder(folder)->ReplaceDataset("fresh", "roads");
       if (why)
         *why = last_error_message();
       return result;
     },
     [](const fs::path& folder) { write_zm_links(folder, "fresh", 2); }},
};

// Whatever the step a rewrite stops at, a failure or a kill, the next open through the host or
// the engine finds the three files all old, byte for byte, or all rewritten: never some of
// each, and no temporary or record beside them. A failure leaves no scratch file either.
TEST_F(LineMerge, ARewriteStoppedAtAnyStepLeavesTheOldFilesOrTheNewOnesNeverAMix) {
  for (const Rewrite& rewrite : rewrites) {
    SCOPED_TRACE(rewrite.what);
    // What a killed rewrite before left is its own to clear, not this one's.
    for (const auto& entry : fs::directory_iterator(folder.path()))
      fs::remove_all(entry.path());
    TempFolder clean;
    write_zm_links(clean.path());
    ASSERT_EQ(rewrite.run(clean.path(), nullptr), com::S_OK);
    EXPECT_FALSE(fs::exists(clean.path() / "roads.qix")); // it would point at the old records
    const auto rewritten = shapefile_bytes(clean.path());
    write_zm_links(folder.path());
    const auto before = shapefile_bytes(folder.path());
    ASSERT_NE(rewritten, before);

    for (const StopAt& point : stop_points)
      for (const bool kill : {false, true})
        for (const bool engine_first : {false, true}) {
          SCOPED_TRACE(std::string(kill ? "killed" : "failed") + " before step " +
                       std::to_string(int(point.step)) + " of " + point.file + ", opened by the " +
                       (engine_first ? "engine" : "host"));
          write_zm_links(folder.path());
          if (kill) {
            ASSERT_TRUE(files::testing::killed_before(
                point.step, point.file, [&] { rewrite.run(folder.path(), nullptr); }));
          } else {
            files::testing::stop_before(point.step, point.file, false);
            std::string why;
            EXPECT_NE(rewrite.run(folder.path(), &why), com::S_OK);
            files::testing::before_step = nullptr;
            EXPECT_EQ(why.find("next opened") != std::string::npos, point.decided) << why;
          }

          const fs::path shp = folder.path() / "roads.shp";
          if (engine_first) {
            EXPECT_NO_THROW(tamix::read_polyline_shapefile(shp));
          }
          EXPECT_TRUE(open_class(folder.path(), "roads")->Extent());
          if (!engine_first) {
            EXPECT_NO_THROW(tamix::read_polyline_shapefile(shp));
          }
          EXPECT_EQ(shapefile_bytes(folder.path()), point.decided ? rewritten : before);
          for (const auto& entry : fs::directory_iterator(folder.path())) {
            for (const char* left : {".tmp", ".replacing", ".old"})
              EXPECT_NE(entry.path().extension(), left) << entry.path();
            if (!kill) {
              EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos)
                  << entry.path();
            }
          }
        }
  }
}

// A set reached through symbolic links (each file a link into another folder) is rewritten
// where the links point: the links stay links, the files they name hold the new set, and no
// temporary or record is left in either folder.
TEST_F(LineMerge, ARewriteThroughSymbolicLinksKeepsTheLinks) {
  for (const Rewrite& rewrite : rewrites) {
    SCOPED_TRACE(rewrite.what);
    TempFolder clean, real, linked;
    write_zm_links(clean.path());
    ASSERT_EQ(rewrite.run(clean.path(), nullptr), com::S_OK);
    write_zm_links(real.path());
    for (const char* name : {"roads.shp", "roads.shx", "roads.dbf", "roads.prj", "roads.cpg"})
      fs::create_symlink(real.path() / name, linked.path() / name);

    std::string why;
    ASSERT_EQ(rewrite.run(linked.path(), &why), com::S_OK) << why;
    for (const auto& name : shapefile_files)
      EXPECT_TRUE(fs::is_symlink(linked.path() / name)) << name;
    EXPECT_EQ(shapefile_bytes(real.path()), shapefile_bytes(clean.path()));
    EXPECT_EQ(shapefile_bytes(linked.path()), shapefile_bytes(clean.path()));
    for (const auto* folder : {&real, &linked})
      for (const auto& entry : fs::directory_iterator(folder->path()))
        for (const char* left : {".tmp", ".replacing"})
          EXPECT_NE(entry.path().extension(), left) << entry.path();
  }
}

// A disk that fills at any point of a rewrite (here a limit on the size of each file, which
// fails a write as a full disk does) leaves the old set or the whole new one. A refusal names
// a file of the set as the user knows it, not a temporary or a scratch file; where the first
// write fails, with the reason.
TEST_F(LineMerge, ADiskThatFillsLeavesTheOldSetAndARefusalNamesTheFile) {
  enum Outcome { refused_naming_the_file = 10, done, misnamed };
  for (const Rewrite& rewrite : rewrites) {
    TempFolder clean;
    write_zm_links(clean.path());
    ASSERT_EQ(rewrite.run(clean.path(), nullptr), com::S_OK);
    const auto rewritten = shapefile_bytes(clean.path());
    for (const rlim_t room : {120, 300, 500, 700, 900}) {
      SCOPED_TRACE(std::string(rewrite.what) + " with room for " + std::to_string(room) +
                   " bytes a file");
      write_zm_links(folder.path());
      if (rewrite.prepare)
        rewrite.prepare(folder.path());
      const auto before = shapefile_bytes(folder.path());
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{.rlim_cur = room, .rlim_max = room};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::string why;
        if (rewrite.run(folder.path(), &why) == com::S_OK)
          _exit(done);
        const bool named =
            why.rfind((folder.path() / "roads.").string(), 0) == 0 &&
            why.find(".tmp") == std::string::npos && why.find('~') == std::string::npos &&
            (room != 120 || why.find(": its new copy cannot be written: the file would "
                                     "grow beyond") != std::string::npos);
        if (!named)
          std::fprintf(stderr, "refused as: %s\n", why.c_str());
        _exit(named ? refused_naming_the_file : misnamed);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status)) << status;
      const int outcome = WEXITSTATUS(status);
      EXPECT_TRUE(outcome == refused_naming_the_file || (outcome == done && room != 120))
          << outcome;
      EXPECT_EQ(shapefile_bytes(folder.path()), outcome == done ? rewritten : before);
      for (const auto& entry : fs::directory_iterator(folder.path())) {
        for (const char* left : {".tmp", ".replacing"})
          EXPECT_NE(entry.path().extension(), left) << entry.path();
        EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos) << entry.path();
      }
    }
  }
}

} // namespace
} // namespace host::test
