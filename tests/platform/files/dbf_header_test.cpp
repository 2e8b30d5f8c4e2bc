#include "files/dbf_header.h"

#include <gtest/gtest.h>

#include <string>

#include "common/support/test_folder.h"
#include "files/file_error.h"
#include "platform/files/file_bytes.h"

namespace files::test {
namespace {

// A table of NAME C(6) and CLASS N(3,0) with two records and its end-of-file byte, as
// shapefile writers make it.
Bytes two_record_table() {
  Bytes table(32 + 2 * 32 + 1, 0);
  table[0] = 0x03;
  put_le(table, 4, 2, 4);
  put_le(table, 8, static_cast<std::uint32_t>(table.size()), 2);
  put_le(table, 10, 1 + 6 + 3, 2);
  const auto field = [&](std::size_t at, const std::string& name, char type, int width) {
    std::copy(name.begin(), name.end(), table.begin() + static_cast<std::ptrdiff_t>(at));
    table[at + 11] = static_cast<unsigned char>(type);
    table[at + 16] = static_cast<unsigned char>(width);
  };
  field(32, "NAME", 'C', 6);
  field(64, "CLASS", 'N', 3);
  table[96] = 0x0D;
  for (const std::string record : {" Main    1", " Side    2"})
    table.insert(table.end(), record.begin(), record.end());
  table.push_back(0x1A);
  return table;
}

class DbfHeaderTest : public ::testing::Test {
protected:
  std::filesystem::path folder = corvane::testing::fresh_test_folder("files");
  std::filesystem::path file = folder / "roads.dbf";
  void TearDown() override { std::filesystem::remove_all(folder); }
};

TEST_F(DbfHeaderTest, ReadsTheFieldsOfAConsistentTableWithOrWithoutItsEndByte) {
  for (const bool end_byte : {true, false}) {
    Bytes table = two_record_table();
    if (!end_byte)
      table.pop_back();
    write_bytes(file, table);
    const DbfHeader header = read_dbf_header(file);
    EXPECT_EQ(header.record_count, 2u);
    EXPECT_EQ(header.record_length, 10u);
    EXPECT_EQ(header.bytes.size(), header.header_length);
    ASSERT_EQ(header.fields.size(), 2u);
    EXPECT_EQ(header.fields[1].name, "CLASS");
    EXPECT_EQ(header.fields[1].type, 'N');
    EXPECT_EQ(header.fields[1].offset, 7u);
    EXPECT_EQ(header.fields[1].width, 3u);
  }
}

TEST_F(DbfHeaderTest, ATextFieldWiderThan255KeepsItsHighByteWhereNumbersKeepDecimals) {
  Bytes table = two_record_table();
  table[64 + 16] = 0x2C; // CLASS becomes C(300): 0x012C
  table[64 + 17] = 0x01;
  table[64 + 11] = 'C';
  put_le(table, 10, 1 + 6 + 300, 2);
  put_le(table, 4, 0, 4);
  table.resize(97);
  write_bytes(file, table);
  const DbfHeader header = read_dbf_header(file);
  EXPECT_EQ(header.fields[1].width, 300u);
  EXPECT_EQ(header.fields[1].decimals, 0u);
}

// Every lie a header can tell about its file is refused with the file's name and the reason,
// and the file is left as it was.
TEST_F(DbfHeaderTest, RefusesEveryHeaderThatDisagreesWithItsFile) {
  struct Case {
    const char* lie;
    void (*damage)(Bytes&);
    const char* reason;
  };
  const Case cases[] = {
      {"a huge record count", [](Bytes& t) { put_le(t, 4, 0x7fffffff, 4); },
       "counts 2147483647 records, but the file holds only 2"},
      {"ten times the records", [](Bytes& t) { put_le(t, 4, 20, 4); },
       "counts 20 records, but the file holds only 2"},
      {"a truncated file", [](Bytes& t) { t.resize(t.size() - 6); },
       "counts 2 records, but the file holds only 1"},
      {"a header length without the descriptors", [](Bytes& t) { put_le(t, 8, 33, 2); },
       "header length of 33 bytes leaves no room for its 2 field descriptors"},
      {"a wrong record length", [](Bytes& t) { put_le(t, 10, 12, 2); },
       "record length of 12 bytes differs from the 10 bytes its fields make"},
      {"descriptors without end mark", [](Bytes& t) { t.resize(90); },
       "its field descriptors have no end mark"},
      {"bytes after the records", [](Bytes& t) { t.insert(t.end(), {'x', 'y'}); },
       "has 3 bytes after the last of its 2 records"},
      {"a last byte that is no end mark", [](Bytes& t) { t.back() = ' '; },
       "a byte after its last record that is no end-of-file mark"},
      {"a file shorter than a header", [](Bytes& t) { t.resize(20); },
       "too short to be a dBASE table"},
      {"a header longer than the file", [](Bytes& t) { put_le(t, 8, 4000, 2); },
       "header of 4000 bytes is longer than the file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lie);
    Bytes table = two_record_table();
    c.damage(table);
    write_bytes(file, table);
    try {
      read_dbf_header(file);
      ADD_FAILURE() << "accepted";
    } catch (const FileError& refused) {
      const std::string message = refused.what();
      EXPECT_EQ(message.rfind(file.string() + ": ", 0), 0u) << message;
      EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
    EXPECT_EQ(read_bytes(file), table);
  }
}

} // namespace
} // namespace files::test
