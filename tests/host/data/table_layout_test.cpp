#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/field_objects.h"
#include "data/host_error.h"
#include "files/replace_file.h"
#include "fixture.h"
#include "host/fields.h"

namespace host::test {
namespace {

namespace fs = std::filesystem;
void write_bytes(const fs::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

com::ComPtr<HostField> number_field(const std::string& name) {
  auto field = create_field().as<HostFieldEdit>();
  field->SetName(name);
  field->SetType(field_double);
  field->SetLength(32);
  field->SetPrecision(10);
  field->SetScale(3);
  field->SetDefaultValue(std::int16_t{0});
  return field;
}

std::vector<std::string> names(HostFeatureClass* fc) {
  std::vector<std::string> values;
  for (int id = 0; id < 3; ++id) {
    com::ComPtr<HostFeature> feature;
    EXPECT_EQ(fc->GetFeature(id, &feature), com::S_OK);
    values.push_back(feature->Value(fc->FindField("NAME")).to_string().value_or("?"));
  }
  return values;
}

class TableLayoutTest : public ::testing::Test {
protected:
  void SetUp() override { write_links(folder.path(), "Links", three_links(), utm32n_prj); }
  void TearDown() override { files::testing::before_step = nullptr; }
  TempFolder folder;
  fs::path dbf = folder.path() / "Links.dbf";
};

// A run killed after the new table is written but before it is renamed into place leaves the
// user's table exactly as it was; the next try adds the field over every record.
TEST_F(TableLayoutTest, AFieldAddedUpToTheRenameLeavesTheTableByteIdentical) {
  const Bytes before = read_bytes(dbf);
  auto fc = open_class(folder.path(), "Links");
  files::testing::before_step = [](files::testing::Step step, const fs::path&) {
    if (step == files::testing::Step::rename)
      throw std::runtime_error("killed");
  };
  EXPECT_NE(fc->AddField(number_field("CV_RESULT").get()), com::S_OK);
  EXPECT_EQ(read_bytes(dbf), before);
  EXPECT_FALSE(fs::exists(files::temporary_path(dbf)));
  EXPECT_LT(fc->FindField("CV_RESULT"), 0);

  files::testing::before_step = nullptr;
  ASSERT_EQ(fc->AddField(number_field("CV_RESULT").get()), com::S_OK);
  EXPECT_EQ(names(fc.get()), (std::vector<std::string>{"Main", "Side", "Main"}));
  com::ComPtr<HostFeature> feature;
  ASSERT_EQ(fc->GetFeature(2, &feature), com::S_OK);
  EXPECT_EQ(feature->Value(fc->FindField("CV_RESULT")).to_double(), 0.0);
  EXPECT_EQ(feature->Value(fc->FindField("CLASS")).to_double(), 3.0);
}

TEST_F(TableLayoutTest, TheTemporaryOfAKilledRunIsRemovedWhenTheTableIsOpened) {
  write_bytes(files::temporary_path(dbf), Bytes(40, 'x'));
  auto fc = open_class(folder.path(), "Links");
  EXPECT_EQ(names(fc.get()).front(), "Main");
  EXPECT_FALSE(fs::exists(files::temporary_path(dbf)));
}

// A header that disagrees with its file is refused, naming the file and the reason, before
// anything is read or written: the layer does not open, and a layer opened before the damage
// adds no field.
TEST_F(TableLayoutTest, ATableWhoseHeaderLiesIsRefusedAndLeftAsItWas) {
  const struct {
    const char* lie;
    std::size_t at;
    std::vector<unsigned char> bytes;
    const char* reason;
  } cases[] = {
      {"a record count of 0x7fffffff", 4, {0xff, 0xff, 0xff, 0x7f}, "records, but the file holds"},
      {"a header length without descriptors", 8, {33, 0}, "leaves no room for its 2 field"},
      {"a wrong record length", 10, {40, 0}, "differs from the"},
  };
  auto opened_before = open_class(folder.path(), "Links");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lie);
    write_links(folder.path(), "Links", three_links(), utm32n_prj);
    Bytes damaged = read_bytes(dbf);
    std::copy(c.bytes.begin(), c.bytes.end(), damaged.begin() + static_cast<std::ptrdiff_t>(c.at));
    write_bytes(dbf, damaged);

    com::ComPtr<HostFeatureClass> fc;
    EXPECT_NE(open_folder(folder.path())->OpenFeatureClass("Links", &fc), com::S_OK);
    EXPECT_EQ(last_error_message().rfind(dbf.string() + ": ", 0), 0u) << last_error_message();
    EXPECT_NE(last_error_message().find(c.reason), std::string::npos) << last_error_message();

    EXPECT_NE(opened_before->AddField(number_field("CV_RESULT").get()), com::S_OK);
    EXPECT_NE(last_error_message().find(c.reason), std::string::npos) << last_error_message();
    EXPECT_EQ(read_bytes(dbf), damaged);
  }
}

TEST_F(TableLayoutTest, AShapefileWhoseIndexPointsOutsideItIsRefused) {
  const fs::path shx = folder.path() / "Links.shx";
  Bytes index = read_bytes(shx);
  index[100 + 8 * 2] = 0x7f; // the last record's offset, far past the end of the .shp
  write_bytes(shx, index);
  com::ComPtr<HostFeatureClass> fc;
  EXPECT_NE(open_folder(folder.path())->OpenFeatureClass("Links", &fc), com::S_OK);
  EXPECT_NE(last_error_message().find("Links.shx: record 2 lies outside Links.shp"),
            std::string::npos)
      << last_error_message();
}

} // namespace
} // namespace host::test
