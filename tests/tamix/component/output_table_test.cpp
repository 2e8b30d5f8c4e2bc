#include "output_table.h"

#include "drawn_network.h"
#include "error.h"

#include <gtest/gtest.h>

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
