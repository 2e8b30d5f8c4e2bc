// `layer add` looks at a set as every open does: a replacement or removal a killed run decided
// is completed first, whichever of its steps the kill came before, and a record that cannot be
// followed is named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "run_gishost.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> set_extensions{".shp", ".shx", ".dbf"};

void write_record(const fs::path& record, const std::string& names) {
  std::ofstream(record, std::ios::binary) << "corvane replacement\n" << names;
}

bool nothing_of_a_replacement_left(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".tmp" || entry.path().extension() == ".replacing")
      return false;
  return true;
}

// A new set "node" decided and killed before its first, second, third rename or the record's
// removal: the look finishes it and the layer is added.
TEST(LayerAddRecordTest, ALookCompletesADecidedSetAtEveryStepOfItsRenames) {
  for (std::size_t renamed = 0; renamed <= set_extensions.size(); ++renamed) {
    SCOPED_TRACE(std::to_string(renamed) + " files renamed before the kill");
    SampleFolder work("layer-add-record");
    const auto folder = work.path / "gothenburg";
    for (std::size_t k = 0; k < set_extensions.size(); ++k) {
      const auto target = folder / ("node" + set_extensions[k]);
      fs::copy_file(folder / ("roads" + set_extensions[k]),
                    k < renamed ? target : fs::path(target.string() + ".tmp"));
    }
    write_record(folder / "node.replacing", "node.shp\nnode.shx\nnode.dbf\n");
    int status = 0;
    const auto transcript = work.run("layer add gothenburg/node.shp\n", status);
    EXPECT_EQ(status, 0) << transcript;
    for (const auto& extension : set_extensions)
      EXPECT_TRUE(fs::exists(folder / ("node" + extension))) << extension;
    EXPECT_TRUE(nothing_of_a_replacement_left(folder));
    EXPECT_EQ(work.errors(), "");
  }
}

// A decided removal is completed by the look, which then finds no set; a damaged record is named
// and left for the user, the set untouched.
TEST(LayerAddRecordTest, ARemovalIsCompletedAndADamagedRecordIsNamed) {
  SampleFolder work("layer-add-removal");
  const auto folder = work.path / "gothenburg";
  for (const auto& extension : set_extensions)
    fs::copy_file(folder / ("roads" + extension), folder / ("node" + extension));
  write_record(folder / "node.replacing", "\nnode.shp\nnode.shx\nnode.dbf\n");
  int status = 0;
  auto transcript = work.run("layer add gothenburg/node.shp\n", status);
  EXPECT_NE(status, 0);
  EXPECT_NE(transcript.find("gothenburg/node.shp does not exist"), std::string::npos) << transcript;
  for (const auto& extension : set_extensions)
    EXPECT_FALSE(fs::exists(folder / ("node" + extension))) << extension;
  EXPECT_TRUE(nothing_of_a_replacement_left(folder));

  write_record(folder / "roads.replacing", "\nroads.shp\nCorvane.ini\n");
  transcript = work.run("layer add gothenburg/roads.shp\n", status);
  EXPECT_NE(status, 0);
  EXPECT_NE(transcript.find("roads.replacing in " + fs::absolute(folder).string() +
                            " cannot be read: it names \"Corvane.ini\", which is not a file of "
                            "the set roads; remove it, then try again"),
            std::string::npos)
      << transcript;
  EXPECT_TRUE(fs::exists(folder / "roads.shp"));
  fs::remove(folder / "roads.replacing");
  transcript = work.run("layer add gothenburg/roads.shp\n", status);
  EXPECT_EQ(status, 0) << transcript;
}

} // namespace
