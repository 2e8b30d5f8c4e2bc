#include "output_table.h"

#include "drawn_network.h"
#include "error.h"
#include "files/replace_file.h"

#include <gtest/gtest.h>
#include <shapefil.h>

#include <fstream>
#include <stdexcept>

namespace tamix {
namespace {

using test::DrawnNetwork;
using test::read_table;
using test::XY;

TEST(OutputTable, RowTextsSplitLikeQuotedCommaSeparatedValues) {
  struct Case {
    std::string text;
    std::vector<std::string> values;
  };
  const Case cases[] = {
      {R"("Lund","Malmö","12.5")", {"Lund", "Malmö", "12.5"}},
      {R"("a, b","say ""hi""","")", {"a, b", R"(say "hi")", ""}},
      {R"( "x" , 2.5 ,)", {"x", "2.5", ""}},
      {"", {}},
      {R"("open)", {"open"}},
  };
  for (const Case& c : cases) EXPECT_EQ(parse_row_text(c.text), c.values) << c.text;
}

TEST(OutputTable, ATableWithoutLinksStandsAlone) {
  const DrawnNetwork net;
  const auto base = net.folder() / "BatchRoute";
  {
    OutputTable table(base);
    table.add_field("FromPoint", OutputFieldType::text, 5, 0);
    table.add_field("Distance", OutputFieldType::number, 0, 0);
    table.write_row(R"("Malmö","2.25")", 0);
    table.write_row(R"("A ""B"", C","x")", 0);
    table.close();
  }
  EXPECT_FALSE(std::filesystem::exists(base.string() + ".shp"));
  EXPECT_FALSE(std::filesystem::exists(base.string() + ".shx"));
  const auto rows = read_table(base);
  ASSERT_EQ(rows.size(), 2u);
  // "Malmö" is 6 bytes: cut to 5 without splitting the "ö".
  EXPECT_EQ(rows[0].values, (std::vector<std::string>{"Malm", "2.250000"}));
  EXPECT_EQ(rows[1].values, (std::vector<std::string>{R"(A "B")", ""}));
}

TEST(OutputTable, RowLinesJoinThePiecesOfLinksInTravelOrder) {
  const DrawnNetwork net;
  const auto base = net.folder() / "BatchRoute";
  const std::vector<Point> ab{{0, 0}, {1000, 0}}, cb{{2000, 0}, {1000, 0}},
      de{{0, 1000}, {1000, 1000}, {2000, 1000}};
  OutputTable table(base);
  table.add_field("Name", OutputFieldType::text, 10, 0);
  table.write_row(R"("A to C")", 2);
  table.add_link(ab, 0, 1);
  table.add_link(cb, 1, 0); // against its drawing
  table.write_row(R"("none")", 0);
  table.write_row(R"("Göta älv")", 1);
  table.add_link(de, 0.75, 0.25);
  table.write_row(R"("cut short")", 3);
  table.add_link(ab, 0, 1);
  table.close(); // the last row's other two links never came
  EXPECT_THROW(table.write_row(R"("late")", 0), Error);

  const auto rows = read_table(base);
  ASSERT_EQ(rows.size(), 4u);
  using Line = std::vector<std::vector<XY>>;
  EXPECT_EQ(rows[0].parts, (Line{{{0, 0}, {1000, 0}, {2000, 0}}}));
  EXPECT_TRUE(rows[1].parts.empty());
  EXPECT_EQ(rows[2].parts, (Line{{{1500, 1000}, {1000, 1000}, {500, 1000}}}));
  EXPECT_EQ(rows[2].values[0], "Göta älv") << "text is kept as UTF-8";
  EXPECT_EQ(rows[3].parts, (Line{{{0, 0}, {1000, 0}}}));
}

TEST(OutputTable, WholeLinksKeepTheirShapeLessRepeatsOfTheirEnds) {
  const DrawnNetwork net;
  const auto base = net.folder() / "BatchRoute";
  struct Case {
    std::vector<Point> shape;
    double from, to;
    std::vector<XY> line;
  };
  const Case cases[] = {
      {{{0, 0}, {0, 0}, {5, 0}, {9, 9}, {9, 9}}, 0, 1, {{0, 0}, {5, 0}, {9, 9}}},
      {{{0, 0}, {0, 0}, {5, 0}, {9, 9}, {9, 9}}, 1, 0, {{9, 9}, {5, 0}, {0, 0}}},
      {{{0, 0}, {5, 0}, {5, 0}, {9, 9}}, 0, 1, {{0, 0}, {5, 0}, {5, 0}, {9, 9}}},
      {{{3, 3}, {3, 3}}, 0, 1, {{3, 3}, {3, 3}}},
      {{{3, 3}}, 1, 0, {{3, 3}, {3, 3}}},
  };
  {
    OutputTable table(base);
    table.add_field("Name", OutputFieldType::text, 10, 0);
    for (const Case& c : cases) {
      table.write_row(R"("case")", 1);
      table.add_link(c.shape, c.from, c.to);
    }
  }
  const auto rows = read_table(base);
  ASSERT_EQ(rows.size(), std::size(cases));
  for (std::size_t k = 0; k < rows.size(); ++k) {
    ASSERT_EQ(rows[k].parts.size(), 1u) << "case " << k;
    EXPECT_EQ(rows[k].parts[0], cases[k].line) << "case " << k;
  }
}

TEST(OutputTable, LinesBeginAtTheFirstRowWithLinksAndTheRowsBeforeHaveNone) {
  const DrawnNetwork net;
  const auto base = net.folder() / "BatchRoute";
  {
    OutputTable table(base);
    table.add_field("Name", OutputFieldType::text, 10, 0);
    table.add_field("Cost", OutputFieldType::number, 8, 2);
    table.write_row(R"("a","1")", 0);
    table.write_row(R"("b","2")", 0);
    table.write_row(R"("c","3")", 2);
    table.add_link(std::vector<Point>{{-5, 2}, {10, 4}}, 0, 1);
    table.add_link(std::vector<Point>{{20, -7}, {30, 1}}, 0, 1); // not joined: a second part
    table.write_row(R"("d","4")", 0);
  }
  const auto rows = read_table(base);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_TRUE(rows[0].parts.empty());
  EXPECT_TRUE(rows[1].parts.empty());
  using Line = std::vector<std::vector<XY>>;
  EXPECT_EQ(rows[2].parts, (Line{{{-5, 2}, {10, 4}}, {{20, -7}, {30, 1}}}));
  EXPECT_EQ(rows[2].values, (std::vector<std::string>{"c", "3.00"}));
  EXPECT_TRUE(rows[3].parts.empty());

  // The headers completed at close: the index agrees and the extent is the lines'.
  SHPHandle lines = SHPOpen((base.string() + ".shp").c_str(), "rb");
  ASSERT_NE(lines, nullptr);
  int count = 0, type = 0;
  double low[4], high[4];
  SHPGetInfo(lines, &count, &type, low, high);
  SHPClose(lines);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(type, SHPT_ARC);
  EXPECT_EQ((std::vector<double>{low[0], low[1], high[0], high[1]}),
            (std::vector<double>{-5, -7, 30, 4}));
}

TEST(OutputTable, CreatingDeletesTheOldFilesOfThatName) {
  const DrawnNetwork net;
  const auto base = net.folder() / "BatchRoute";
  {
    OutputTable table(base);
    table.add_field("Name", OutputFieldType::text, 10, 0);
    for (int row = 0; row < 3; ++row) {
      table.write_row(R"("old")", 1);
      table.add_link(std::vector<Point>{{0, 0}, {1, 1}}, 0, 1);
    }
  } // dropped without close: still a valid table of three rows
  ASSERT_EQ(read_table(base).size(), 3u);
  {
    OutputTable table(base);
    table.add_field("Name", OutputFieldType::text, 10, 0);
    table.write_row(R"("new")", 0);
  }
  EXPECT_FALSE(std::filesystem::exists(base.string() + ".shp"));
  const auto rows = read_table(base);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].values[0], "new");
}

TEST(OutputTable, RefusesWhatDoesNotFit) {
  const DrawnNetwork net;
  OutputTable table(net.folder() / "Out");
  EXPECT_THROW(table.add_field("Bad", static_cast<OutputFieldType>(3), 10, 0), Error);
  EXPECT_THROW(table.add_field("Wide", OutputFieldType::text, 300, 0), Error);
  table.add_field("One", OutputFieldType::text, 10, 0);
  EXPECT_THROW(table.write_row(R"("a","b")", 0), Error);
  table.write_row(R"("a")", 0);
  EXPECT_THROW(table.add_link(std::vector<Point>{{0, 0}, {1, 1}}, 0, 1), Error);
  EXPECT_THROW(table.add_field("Late", OutputFieldType::text, 10, 0), Error);
}

} // namespace
} // namespace tamix
