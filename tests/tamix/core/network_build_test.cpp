#include "error_matchers.h"
#include "fixture.h"

#include "error.h"
#include "network_build.h"
#include "network_files.h"
#include "shapefile_reader.h"

#include <shapefil.h>

#include <cmath>
#include <fstream>
#include <iterator>

namespace tamix::test {
namespace {

std::string file_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(NetworkBuild, NumbersLinksByRecordAndJoinsEqualEndPoints) {
  TempFolder folder;
  const Point a{0, 0}, b{100, 0}, c{100, 100}, d{0, 150}, e{0, 150.000001};
  write_shapefile(folder.path(), "roads",
                  {
                      line({a, b}),                             // link 1
                      null_shape(),                             // link 2: no link
                      line({b, {100, 60}, c}),                  // link 3
                      Record{{{c, {50, 100}}, {{50, 150}, d}}}, // link 4: two parts
                      line({d, a}),                             // link 5
                      line({d, e}),                             // link 6: almost a loop
                  });
  Network network = build_and_load(folder.path(), "roads");

  ASSERT_EQ(network.link_count(), 6u);
  ASSERT_EQ(network.node_count(), 5u);
  EXPECT_FALSE(network.has_link(2));
  EXPECT_EQ(network.link_ends[2].from, no_node);
  const std::vector<std::pair<Point, Point>> ends = {{a, b}, {}, {b, c}, {c, d}, {d, a}, {d, e}};
  for (LinkId l : {1, 3, 4, 5, 6}) {
    EXPECT_EQ(network.link_ends[l].from, node_at(network, ends[l - 1].first)) << "link " << l;
    EXPECT_EQ(network.link_ends[l].to, node_at(network, ends[l - 1].second)) << "link " << l;
  }
  // Every node is a distinct place.
  for (NodeId v = 1; v <= 5; ++v)
    EXPECT_EQ(node_at(network, network.node_points[v]), v);
  // The multi-part link runs through its parts in order, crossing the gap between them.
  EXPECT_DOUBLE_EQ(network.link_metres[4], 150);
  EXPECT_EQ(network.geometry.of(4).size(), 4u);
  EXPECT_DOUBLE_EQ(network.link_metres[3], 100);
  // Node d joins three links: its arcs lead back along 4 and on along 5 and 6.
  const Graph& g = network.graph;
  const NodeId at_d = node_at(network, d);
  std::multiset<SignedLink> links_at_d(g.arc_link.begin() + g.arcs_begin(at_d),
                                       g.arc_link.begin() + g.arcs_end(at_d));
  EXPECT_EQ(links_at_d, (std::multiset<SignedLink>{-4, 5, 6}));
  for (ArcId arc = g.arcs_begin(at_d); arc < g.arcs_end(at_d); ++arc)
    EXPECT_EQ(g.head[arc], network.head(g.arc_link[arc]));
}

TEST(NetworkBuild, MeasuresLengthsInEveryMapUnit) {
  struct Case {
    int map_units;
    double metres_per_unit;
  };
  const Case cases[] = {
      {0, 1609.3472186944}, {1, 1000}, {3, 0.3048},       {4, 0.9144},      {7, 1},
      {8, 0.3048006096},    {9, 1852}, {11, 0.201168402}, {12, 20.11684023}};
  const Point line_points[] = {{3, 4}, {3, 6}};
  for (const Case& c : cases)
    EXPECT_NEAR(polyline_metres(line_points, c.map_units), 2 * c.metres_per_unit,
                2e-8 * c.metres_per_unit)
        << "map units " << c.map_units;
  // Degrees: geodesics on the WGS 84 ellipsoid (one degree along the equator and a meridian).
  const Point equator[] = {{10, 0}, {11, 0}};
  const Point meridian[] = {{10, 0}, {10, 1}};
  EXPECT_NEAR(polyline_metres(equator, 10), 111319.491, 1e-3);
  EXPECT_NEAR(polyline_metres(meridian, 10), 110574.389, 1e-3);
  EXPECT_TRUE(fails_with(code::out_of_bounds, [&] { polyline_metres(equator, 2); }));
}

TEST(NetworkBuild, ReportsProgressThroughItsPhases) {
  TempFolder folder;
  write_shapefile(folder.path(), "roads", grid_records(30, 30, 10));
  std::vector<int> seen;
  create_network(folder.path(), "roads", 7, [&](int percent) { seen.push_back(percent); });
  ASSERT_FALSE(seen.empty());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_GE(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
}

// Every bad input gets its code, and the network built before stays as it was.
TEST(NetworkBuild, RefusesBadInputAndKeepsTheOldNetwork) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path&)> make_bad; // writes layer "bad"
    int code;
  };
  const std::vector<Record> good = grid_records(3, 3, 10);
  auto remove = [](const char* ext) {
    return [ext](const std::filesystem::path& f) {
      std::filesystem::remove(f / ("bad" + std::string(ext)));
    };
  };
  const std::vector<Case> cases = {
      {"missing shp",
       [&](auto& f) {
         write_shapefile(f, "bad", good);
         remove(".shp")(f);
       },
       code::load_failed},
      {"missing shx",
       [&](auto& f) {
         write_shapefile(f, "bad", good);
         remove(".shx")(f);
       },
       code::illegal_shapefile},
      {"missing dbf",
       [&](auto& f) {
         write_shapefile(f, "bad", good);
         remove(".dbf")(f);
       },
       code::illegal_shapefile},
      {"polygons",
       [&](auto& f) {
         write_shapefile(f, "bad", {line({{0, 0}, {10, 0}, {10, 10}, {0, 0}})}, SHPT_POLYGON);
       },
       code::illegal_shapefile},
      {"points",
       [&](auto& f) {
         write_shapefile(f, "bad", {line({{0, 0}})}, SHPT_POINT);
       },
       code::illegal_shapefile},
      {"empty", [&](auto& f) { write_shapefile(f, "bad", {}); }, code::illegal_shapefile},
      {"only null shapes",
       [&](auto& f) {
         write_shapefile(f, "bad", {null_shape(), null_shape()});
       },
       code::illegal_shapefile},
      {"truncated shp",
       [&](auto& f) {
         write_shapefile(f, "bad", good);
         std::filesystem::resize_file(f / "bad.shp",
                                      std::filesystem::file_size(f / "bad.shp") - 20);
       },
       code::illegal_shapefile},
      {"dbf counting more records than it holds",
       [&](auto& f) {
         write_shapefile(f, "bad", good);
         std::filesystem::resize_file(f / "bad.dbf", std::filesystem::file_size(f / "bad.dbf") - 3);
       },
       code::illegal_shapefile},
      {"shx pointing past the shp",
       [&](auto& f) {
         write_shapefile(f, "bad", good);
         std::fstream shx(f / "bad.shx", std::ios::binary | std::ios::in | std::ios::out);
         shx.seekp(100);
         shx.write("\x7f\x00\x00\x00", 4);
       },
       code::illegal_shapefile},
      {"coordinate not a number",
       [&](auto& f) {
         write_shapefile(f, "bad", {line({{0, 0}, {std::nan(""), 1}})});
       },
       code::illegal_shapefile},
      {"infinite coordinate",
       [&](auto& f) {
         write_shapefile(f, "bad", {line({{0, 0}, {1, 1}}), line({{1, 1}, {1, -HUGE_VAL}})});
       },
       code::illegal_shapefile},
      {"length beyond a double",
       [&](auto& f) {
         write_shapefile(f, "bad", {line({{-1.5e308, 0}, {1.5e308, 0}})});
       },
       code::illegal_shapefile},
      {"1901 links at a node",
       [&](auto& f) {
         std::vector<Record> star;
         for (int i = 0; i < 1901; ++i)
           star.push_back(line({{0, 0}, {double(i + 1), 1}}));
         write_shapefile(f, "bad", star);
       },
       code::too_many_links_at_node},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    write_shapefile(folder.path(), "good", good);
    create_network(folder.path(), "good", 7);
    std::map<std::string, std::string> before;
    for (const std::string_view file : {link_file, dist_file, coord_file, node_file})
      before[std::string(file)] = file_bytes(folder.path() / file);

    c.make_bad(folder.path());
    EXPECT_TRUE(fails_with(c.code, [&] { create_network(folder.path(), "bad", 7); }));

    for (const auto& [file, bytes] : before)
      EXPECT_EQ(file_bytes(folder.path() / file), bytes) << file;
    EXPECT_EQ(load_network(folder.path()).link_count(), good.size());
  }
}

// The build names the record whose coordinate it refuses, for the user to find and mend.
TEST(NetworkBuild, NamesTheRecordOfACoordinateThatIsNotAFiniteNumber) {
  for (const double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    SCOPED_TRACE(bad);
    TempFolder folder;
    write_shapefile(folder.path(), "roads",
                    {line({{0, 0}, {1, 1}}), line({{1, 1}, {2, 2}}), line({{2, 2}, {bad, 3}})});
    try {
      create_network(folder.path(), "roads", 10);
      ADD_FAILURE() << "built";
    } catch (const Error& error) {
      EXPECT_EQ(error.code(), code::illegal_shapefile);
      EXPECT_NE(std::string(error.what())
                    .find("record 2 has a coordinate that is not a finite "
                          "number"),
                std::string::npos)
          << error.what();
    }
  }
}

TEST(NetworkBuild, RefusesDegreesBeyondThePoles) {
  TempFolder folder;
  write_shapefile(folder.path(), "roads",
                  {line({{11.9, 57.7}, {11.9, 57.8}}), line({{0, 89}, {0, 95}})});
  EXPECT_TRUE(
      fails_with(code::illegal_shapefile, [&] { create_network(folder.path(), "roads", 10); }));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / link_file));
}

TEST(NetworkBuild, AcceptsExactlyMaxLinksAtANode) {
  TempFolder folder;
  std::vector<Record> star;
  for (int i = 0; i < 950; ++i) // 950 loops give the centre 1900 link ends
    star.push_back(line({{0, 0}, {double(i + 1), 1}, {0, 0}}));
  write_shapefile(folder.path(), "star", star);
  Network network = build_and_load(folder.path(), "star");
  EXPECT_EQ(network.graph.arcs_end(1) - network.graph.arcs_begin(1), 1900u);
}

} // namespace
} // namespace tamix::test
