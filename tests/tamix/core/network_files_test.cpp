#include "error_matchers.h"
#include "fixture.h"

#include "attributes.h"
#include "network_build.h"
#include "network_files.h"
#include "shapefile_reader.h"

#include <fstream>
#include <limits>

namespace tamix::test {
namespace {

void write_text(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class NetworkFiles : public ::testing::Test {
protected:
  void SetUp() override {
    write_shapefile(folder.path(), "roads",
                    {line({{0, 0}, {10, 0}}), null_shape(), line({{10, 0}, {10, 5}, {20, 5}}),
                     line({{20, 5}, {0, 0}})});
    create_network(folder.path(), "roads", 7);
  }
  TempFolder folder;
};

// A link number stored for the old network names the same road in the new one only when the
// build kept every link's ends and length.
TEST_F(NetworkFiles, ABuildTellsWhetherItKeptTheLinksOfTheFilesItReplaced) {
  const std::vector<Record> roads{line({{0, 0}, {10, 0}}), null_shape(),
                                  line({{10, 0}, {10, 5}, {20, 5}}), line({{20, 5}, {0, 0}})};
  const struct {
    const char* name;
    std::vector<Record> records;
    bool kept;
  } cases[] = {
      {"saved again", roads, true},
      {"one link fewer", {roads[0], roads[1], roads[2]}, false},
      {"one link more", {roads[0], roads[1], roads[2], roads[3], line({{0, 0}, {0, 9}})}, false},
      {"two links in other order", {roads[0], roads[1], roads[3], roads[2]}, false},
      {"a bend moved, same ends",
       {roads[0], roads[1], line({{10, 0}, {10, 6}, {20, 5}}), roads[3]},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    write_shapefile(folder.path(), "roads", roads);
    create_network(folder.path(), "roads", 7);
    write_shapefile(folder.path(), "roads", c.records);
    EXPECT_EQ(create_network(folder.path(), "roads", 7), c.kept);
  }
  // The lengths and shapes tell alone: the link ends and the adjacency may be gone, as the
  // pseudo-node repair or a user who wants another class field leaves them.
  std::filesystem::remove(folder.path() / link_file);
  std::filesystem::remove(folder.path() / node_file);
  EXPECT_EQ(create_network(folder.path(), "roads", 7), true) << "ends and adjacency gone";
  std::filesystem::resize_file(folder.path() / coord_file,
                               std::filesystem::file_size(folder.path() / coord_file) - 1);
  std::string unreadable;
  LinkGeometry shapes = read_polyline_shapefile(folder.path() / "roads.shp");
  EXPECT_EQ(same_links_as_files(folder.path(), build_network(shapes, 7), &unreadable), std::nullopt)
      << "a damaged shape file";
  EXPECT_EQ(unreadable, coord_file);
  std::filesystem::remove(folder.path() / coord_file);
  EXPECT_EQ(create_network(folder.path(), "roads", 7), std::nullopt) << "no files to compare with";
}

TEST_F(NetworkFiles, LoadGivesBackWhatTheBuildMade) {
  LinkGeometry shapes = read_polyline_shapefile(folder.path() / "roads.shp");
  Network built = build_network(shapes, 7);
  Network loaded = load_network(folder.path());
  EXPECT_EQ(loaded.graph.first_out, built.graph.first_out);
  EXPECT_EQ(loaded.graph.head, built.graph.head);
  EXPECT_EQ(loaded.graph.arc_link, built.graph.arc_link);
  EXPECT_EQ(loaded.link_metres, built.link_metres);
  EXPECT_EQ(loaded.node_points, built.node_points);
  EXPECT_EQ(loaded.geometry.first_point, built.geometry.first_point);
  EXPECT_EQ(loaded.geometry.points, built.geometry.points);
  EXPECT_EQ(loaded.map_units, 7);
  for (LinkId l = 0; l <= 4; ++l) {
    EXPECT_EQ(loaded.link_ends[l].from, built.link_ends[l].from);
    EXPECT_EQ(loaded.link_ends[l].to, built.link_ends[l].to);
  }
  // Without "attribute.bin" every link is of class 1.
  EXPECT_EQ(loaded.link_class, std::vector<std::uint8_t>(5, 1));
}

TEST_F(NetworkFiles, AttributeTextGivesRoadClasses) {
  write_text(folder.path() / "Attrib.txt", "7\r\n-39\r\n4096\n  33 \r\n\r\n");
  create_attribute_file(folder.path(), "Attrib.txt");
  EXPECT_EQ(load_network(folder.path()).link_class, (std::vector<std::uint8_t>{1, 7, 7, 0, 1}));
}

TEST_F(NetworkFiles, AttributeTextMustMatchTheLinks) {
  write_text(folder.path() / "Attrib.txt", "1\n2\n3\n4\n");
  create_attribute_file(folder.path(), "Attrib.txt");
  const auto kept = read_attribute_file(folder.path());
  const std::pair<const char*, std::string> bad[] = {
      {"too few lines", "1\n2\n3\n"},   {"too many lines", "1\n2\n3\n4\n5\n"},
      {"not a number", "1\n2\nx\n4\n"}, {"a fraction", "1\n2.5\n3\n4\n"},
      {"a blank line", "1\n\n3\n4\n"},
  };
  for (const auto& [name, text] : bad) {
    SCOPED_TRACE(name);
    write_text(folder.path() / "Attrib.txt", text);
    EXPECT_TRUE(fails_with(code::general_error,
                           [&] { create_attribute_file(folder.path(), "Attrib.txt"); }));
    EXPECT_EQ(read_attribute_file(folder.path()), kept);
  }
  EXPECT_TRUE(
      fails_with(code::load_failed, [&] { create_attribute_file(folder.path(), "Missing.txt"); }));
}

TEST_F(NetworkFiles, LoadRefusesMissingStaleAndDamagedFiles) {
  struct Case {
    const char* name;
    std::function<void(const std::filesystem::path&)> damage;
    int code;
  };
  auto patch = [](std::string_view file, std::streamoff offset, auto value) {
    return [=](const std::filesystem::path& f) {
      std::fstream io(f / file, std::ios::in | std::ios::out | std::ios::binary);
      io.seekp(offset);
      io.write(reinterpret_cast<const char*>(&value), sizeof value);
    };
  };
  // Offsets behind the 40-byte headers: dist.bin holds a double per link slot; coord.bin the
  // node points (slot 0 included), the shapes' first points, then the shape points.
  const Network built = load_network(folder.path());
  const std::streamoff header = 40;
  const std::streamoff link_1_length = header + sizeof(double);
  const std::streamoff node_1_y = header + sizeof(Point) + sizeof(double);
  const std::streamoff shape_point_0 =
      header + std::streamoff((built.node_count() + 1) * sizeof(Point) +
                              (built.link_count() + 2) * sizeof(std::uint64_t));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<Case> cases = {
      {"missing link.bin", [](auto& f) { std::filesystem::remove(f / link_file); },
       code::load_failed},
      {"missing coord.bin", [](auto& f) { std::filesystem::remove(f / coord_file); },
       code::load_failed},
      {"link.bin of another version", patch(link_file, 8, 99), code::wrong_version},
      {"node.bin of another kind", patch(node_file, 0, 0x41414141), code::wrong_version},
      {"dist.bin cut short",
       [](auto& f) {
         std::filesystem::resize_file(f / dist_file, std::filesystem::file_size(f / dist_file) - 8);
       },
       code::wrong_version},
      {"coord.bin with a byte more",
       [](auto& f) {
         std::filesystem::resize_file(f / coord_file,
                                      std::filesystem::file_size(f / coord_file) + 1);
       },
       code::wrong_version},
      {"count that overflows", patch(coord_file, 24, 0xFFFFFFFFu), code::wrong_version},
      {"arc to an unknown node", patch(node_file, 40 + 6 * 4, 77u), code::wrong_version},
      {"negative length", patch(dist_file, link_1_length, -1.0), code::wrong_version},
      {"length not a number", patch(dist_file, link_1_length, nan), code::wrong_version},
      {"infinite length", patch(dist_file, link_1_length, inf), code::wrong_version},
      {"node coordinate not a number", patch(coord_file, node_1_y, nan), code::wrong_version},
      {"infinite shape point", patch(coord_file, shape_point_0, -inf), code::wrong_version},
      {"attribute.bin of another network",
       [](auto& f) { write_attribute_file(f, std::vector<std::uint8_t>(9, 1)); },
       code::wrong_version},
  };
  auto open_files = [] {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return std::distance(begin(fds), end(fds));
  };
  const auto open_before = open_files();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder copy;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
      std::filesystem::copy_file(entry.path(), copy.path() / entry.path().filename());
    c.damage(copy.path());
    EXPECT_TRUE(fails_with(c.code, [&] { load_network(copy.path()); }));
  }
  EXPECT_EQ(open_files(), open_before) << "a refused file was left open";
}

TEST_F(NetworkFiles, LoadReportsProgressToTheEnd) {
  std::vector<int> seen;
  load_network(folder.path(), [&](int percent) { seen.push_back(percent); });
  ASSERT_FALSE(seen.empty());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(seen.back(), 100);
}

} // namespace
} // namespace tamix::test
