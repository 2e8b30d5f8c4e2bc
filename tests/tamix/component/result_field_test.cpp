#include "result_field.h"

#include "drawn_network.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace tamix {
namespace {

using test::DrawnNetwork;

int code_of(const auto& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.code();
  }
  return code::ok;
}

std::string bytes_of(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(ResultField, RefusesWhatIsNoNumericFieldOfATable) {
  const DrawnNetwork net;
  const auto dbf = net.file(".dbf");
  {
    std::ofstream cut(net.folder() / "cut.dbf", std::ios::binary);
    cut << bytes_of(dbf).substr(0, 200); // header intact, records missing
  }
  struct Case {
    std::filesystem::path table;
    std::string field;
    int expected;
  };
  const Case cases[] = {
      {dbf, "CV_RESULT", code::ok},
      {dbf, "cv_result", code::ok}, // field names ignore letter case, as the host's do
      {dbf, "COST", code::field_not_found},
      {dbf, "NAME", code::field_not_numeric},
      {net.folder() / "missing.dbf", "CV_RESULT", code::output_file_failed},
      {net.file(".shp"), "CV_RESULT", code::output_file_failed},
      {net.folder() / "cut.dbf", "CV_RESULT", code::output_file_failed},
  };
  for (const Case& c : cases)
    EXPECT_EQ(code_of([&] { ResultField(c.table, c.field); }), c.expected)
        << c.table.filename() << " " << c.field;
}

// A header that disagrees with its file is refused before anything is written: the table
// stays byte-identical, however the value write was asked for.
TEST(ResultField, RefusesATableWhoseHeaderLiesAndLeavesItAsItWas) {
  const DrawnNetwork net;
  const auto dbf = net.file(".dbf");
  const ResultField field(dbf, "CV_RESULT");
  const std::string good = bytes_of(dbf);
  const struct {
    const char* lie;
    std::size_t at;
    std::string bytes;
  } cases[] = {
      {"a record count of 0x7fffffff", 4, "\xff\xff\xff\x7f"},
      {"a header length without descriptors", 8, std::string("\x21\x00", 2)},
      {"a record length of another stride", 10, std::string("\x40\x00", 2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lie);
    std::string damaged = good;
    damaged.replace(c.at, c.bytes.size(), c.bytes);
    std::ofstream(dbf, std::ios::binary | std::ios::trunc) << damaged;
    const ResultValue mark[] = {{0, 1.0}};
    EXPECT_EQ(code_of([&] { field.clear(); }), code::output_file_failed);
    EXPECT_EQ(code_of([&] { field.write(mark); }), code::output_file_failed);
    EXPECT_EQ(bytes_of(dbf), damaged);
  }
}

TEST(ResultField, WritesInPlaceAndEveryReaderSeesItAtOnce) {
  const DrawnNetwork net;
  const auto shp_before = bytes_of(net.file(".shp"));
  const auto old_time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
  std::filesystem::last_write_time(net.file(".shp"), old_time);
  const auto dbf_size = std::filesystem::file_size(net.file(".dbf"));

  const ResultField field(net.file(".dbf"), "CV_RESULT");
  field.clear();
  const ResultValue marks[] = {{1, 2.5}, {4, 0.001}, {5, 12345678.9}};
  field.write(marks);

  const std::vector<double> expected = {0, 2.5, 0, 0, 0.001, 12345678.9};
  EXPECT_EQ(test::read_with_gdal(net.file(".dbf"), "CV_RESULT"), expected);
  EXPECT_EQ(test::read_with_shapelib(net.file(".dbf"), "CV_RESULT"), expected);
  EXPECT_EQ(std::filesystem::file_size(net.file(".dbf")), dbf_size);
  EXPECT_EQ(bytes_of(net.file(".shp")), shp_before);
  EXPECT_EQ(std::filesystem::last_write_time(net.file(".shp")), old_time);
}

TEST(ResultField, ARowBeyondTheTableWritesNothing) {
  const DrawnNetwork net;
  const ResultField field(net.file(".dbf"), "CV_RESULT");
  const ResultValue marks[] = {{0, 1.0}, {6, 1.0}};
  EXPECT_EQ(code_of([&] { field.write(marks); }), code::out_of_bounds);
  EXPECT_EQ(test::read_with_gdal(net.file(".dbf"), "CV_RESULT"),
            std::vector<double>(6, 7.5));
}

TEST(ResultField, NumberTextFitsItsField) {
  struct Case {
    double value;
    int width, decimals;
    std::string text;
  };
  const Case cases[] = {
      {0, 11, 3, "      0.000"},       {2.5, 11, 3, "      2.500"},
      {12345678.9, 11, 3, "12345678.90"}, {1e12, 11, 3, "***********"},
      {1e12, 13, 3, "1000000000000"},     {-1.25, 6, 2, " -1.25"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dbf_number_text(c.value, c.width, c.decimals), c.text) << c.value;
  EXPECT_EQ(dbf_number_text(std::nan(""), 5, 1), "     ");
}

} // namespace
} // namespace tamix
