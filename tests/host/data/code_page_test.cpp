#include <gtest/gtest.h>
#include <shapefil.h>

#include <fstream>

#include "fixture.h"

namespace host::test {
namespace {

std::string raw_name(const std::filesystem::path& dbf, int record) {
  DBFHandle handle = DBFOpen(dbf.c_str(), "rb");
  std::string value = DBFReadStringAttribute(handle, record, 0);
  DBFClose(handle);
  return value;
}

TEST(CodePage, TextIsUtf8OutsideAndTheTablesCodePageInside) {
  struct Case {
    const char* label;
    const char* cpg;         // nullptr: no ".cpg" (the header's language driver says ISO-8859-1)
    std::string stored_name; // bytes of "Göteborg" as the file holds them
    std::string written;     // a UTF-8 text written back
    std::string stored_written;
  } cases[] = {
      {"header", nullptr, "G\xF6teborg", "Malm\xC3\xB6 \xE2\x82\xAC", "Malm\xF6 ?"},
      {"cpg UTF-8", "UTF-8", "G\xC3\xB6teborg", "\xE2\x82\xAC", "\xE2\x82\xAC"},
      {"cpg 1252", "1252", "G\xF6teborg", "\xE2\x82\xAC", "\x80"},
      {"cpg ANSI 1252", "ANSI 1252", "G\xF6teborg", "\xC3\x85re", "\xC5re"},
      {"cpg ISO 8859-1", "ISO 8859-1", "G\xF6teborg", "\xC3\xA5", "\xE5"},
      {"cpg unknown", "KLINGON-7", "G\xF6teborg", "\xC3\xA5", "\xE5"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    write_links(folder.path(), "places", {{{{0, 0}, {1, 1}}, c.stored_name, 1}});
    if (c.cpg)
      std::ofstream(folder.path() / "places.cpg") << c.cpg;
    const auto fc = open_class(folder.path(), "places");

    com::ComPtr<HostFeature> feature;
    ASSERT_EQ(fc->GetFeature(0, &feature), com::S_OK) << c.label;
    EXPECT_EQ(feature->Value(2).to_string(), "G\xC3\xB6teborg") << c.label;

    ASSERT_EQ(feature->SetValue(2, c.written), com::S_OK) << c.label;
    ASSERT_EQ(feature->Store(), com::S_OK) << c.label;
    EXPECT_EQ(raw_name(folder.path() / "places.dbf", 0), c.stored_written) << c.label;
  }
}

TEST(CodePage, ATextCutToItsFieldsWidthEndsWithAWholeCharacter) {
  // 21 characters for a field of 30 bytes: 41 bytes in UTF-8, where the 30th byte is the first
  // of a character, and 21 in code page 1252.
  std::string long_name = "x";
  for (int i = 0; i < 20; ++i)
    long_name += "\xC3\xB6";
  for (const char* cpg : {"UTF-8", "1252"}) {
    TempFolder folder;
    write_links(folder.path(), "places", {{{{0, 0}, {1, 1}}, "x", 1}});
    std::ofstream(folder.path() / "places.cpg") << cpg;
    auto fc = open_class(folder.path(), "places");
    com::ComPtr<HostFeature> feature;
    ASSERT_EQ(fc->GetFeature(0, &feature), com::S_OK);
    ASSERT_EQ(feature->SetValue(2, long_name), com::S_OK);
    ASSERT_EQ(feature->Store(), com::S_OK) << cpg;

    ASSERT_EQ(open_class(folder.path(), "places")->GetFeature(0, &feature), com::S_OK);
    const bool utf8 = std::string(cpg) == "UTF-8";
    EXPECT_EQ(feature->Value(2).to_string(), utf8 ? long_name.substr(0, 29) : long_name) << cpg;
  }
}

TEST(CodePage, WhereClausesCompareDecodedText) {
  TempFolder folder;
  write_links(folder.path(), "places", {{{{0, 0}, {1, 1}}, "G\xF6teborg", 1}});
  const auto fc = open_class(folder.path(), "places");
  com::ComPtr<HostFeatureCursor> cursor;
  auto filter = make_where("NAME = 'G\xC3\xB6teborg'");
  ASSERT_EQ(fc->Search(filter.get(), false, &cursor), com::S_OK);
  com::ComPtr<HostFeature> found;
  EXPECT_EQ(cursor->NextFeature(&found), com::S_OK);
}

} // namespace
} // namespace host::test
