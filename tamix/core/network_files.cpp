#include "network_files.h"

#include "binary_file.h"
#include "error.h"

#include <cmath>
#include <limits>
#include <new>

namespace tamix {

namespace {

// Bump a version whenever the layout of its file changes.
constexpr std::uint32_t link_version = 1;
constexpr std::uint32_t dist_version = 1;
constexpr std::uint32_t coord_version = 1;
constexpr std::uint32_t node_version = 1;
constexpr std::uint32_t attribute_version = 1;

constexpr char link_magic[9] = "TMXLINK_";
constexpr char dist_magic[9] = "TMXDIST_";
constexpr char coord_magic[9] = "TMXCOORD";
constexpr char node_magic[9] = "TMXNODE_";
constexpr char attribute_magic[9] = "TMXATTR_";

// Sizes computed from a header that may be garbage: counts beyond any real network give a size
// no file has, instead of an overflow that could happen to match.
constexpr std::uint64_t max_count = std::uint64_t(1) << 40;
std::uint64_t sane(std::uint64_t count) {
  return count < max_count ? count : std::numeric_limits<std::uint32_t>::max() * max_count;
}

std::uint64_t link_body(const FileHeader& h) {
  return (sane(h.counts[0]) + 1) * sizeof(LinkEnds);
}
std::uint64_t dist_body(const FileHeader& h) {
  return (sane(h.counts[0]) + 1) * sizeof(double);
}
std::uint64_t coord_body(const FileHeader& h) {
  return (sane(h.counts[0]) + 1) * sizeof(Point) + (sane(h.counts[1]) + 2) * sizeof(std::uint64_t) +
         sane(h.counts[2]) * sizeof(Point);
}
std::uint64_t node_body(const FileHeader& h) {
  return (sane(h.counts[0]) + 2) * sizeof(ArcId) +
         sane(h.counts[1]) * (sizeof(NodeId) + sizeof(SignedLink));
}
std::uint64_t attribute_body(const FileHeader& h) {
  return sane(h.counts[0]) + 1;
}

void check_count(const std::filesystem::path& path, const char* what, std::uint64_t found,
                 std::uint64_t expected) {
  if (found != expected)
    throw Error(code::wrong_version, path.string() + " holds " + std::to_string(found) + " " +
                                         what + ", the network has " + std::to_string(expected));
}

// Files of matching sizes can still disagree (pieces of two builds) or be damaged; an id out of
// range would later read outside the arrays, so every id is checked once here.
void check_consistent(const std::filesystem::path& folder, const Network& network) {
  const NodeId nodes = network.node_count();
  const LinkId links = network.link_count();
  auto fail = [&](std::string_view file, const std::string& what) {
    throw Error(code::wrong_version, (folder / file).string() + ": " + what);
  };
  const Graph& g = network.graph;
  if (g.first_out[0] != 0 || g.first_out[1] != 0 || g.first_out.back() != g.arc_count())
    fail(node_file, "adjacency does not cover the arcs");
  for (NodeId v = 1; v <= nodes; ++v)
    if (g.first_out[v + 1] < g.first_out[v])
      fail(node_file, "adjacency of node " + std::to_string(v) + " is damaged");
  for (ArcId a = 0; a < g.arc_count(); ++a)
    if (g.head[a] == no_node || g.head[a] > nodes || g.arc_link[a] == 0 ||
        link_of(g.arc_link[a]) > links)
      fail(node_file, "arc " + std::to_string(a) + " names an unknown node or link");
  for (LinkId l = 1; l <= links; ++l) {
    const LinkEnds& ends = network.link_ends[l];
    if (ends.from > nodes || ends.to > nodes || (ends.from == no_node) != (ends.to == no_node))
      fail(link_file, "link " + std::to_string(l) + " names an unknown node");
  }
  const LinkGeometry& geometry = network.geometry;
  if (geometry.first_point[0] != 0 || geometry.first_point[1] != 0 ||
      geometry.first_point.back() != geometry.points.size())
    fail(coord_file, "shapes do not cover the points");
  for (LinkId l = 1; l <= links; ++l)
    if (geometry.first_point[l + 1] < geometry.first_point[l])
      fail(coord_file, "shape of link " + std::to_string(l) + " is damaged");
  // Costs are sums of lengths and the node index divides by the extent: a length that is not a
  // finite number of metres, or a coordinate that is not finite, would make routes and clicks
  // quietly wrong instead of refused.
  for (LinkId l = 1; l <= links; ++l)
    if (!(network.link_metres[l] >= 0) || !std::isfinite(network.link_metres[l]))
      fail(dist_file, "link " + std::to_string(l) + " has the length " +
                          std::to_string(network.link_metres[l]));
  auto finite = [](const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); };
  for (NodeId v = 1; v <= nodes; ++v)
    if (!finite(network.node_points[v]))
      fail(coord_file, "node " + std::to_string(v) + " has a coordinate that is not a number");
  for (LinkId l = 1; l <= links; ++l)
    for (std::uint64_t i = geometry.first_point[l]; i < geometry.first_point[l + 1]; ++i)
      if (!finite(geometry.points[i]))
        fail(coord_file,
             "shape of link " + std::to_string(l) + " has a coordinate that is not a number");
  for (LinkId l = 1; l <= links; ++l)
    if (network.link_class[l] >= road_class_count)
      fail(attribute_file, "link " + std::to_string(l) + " has road class " +
                               std::to_string(network.link_class[l]));
}

} // namespace

void write_network_files(const std::filesystem::path& folder, const Network& network) {
  const std::uint64_t links = network.link_count();
  const std::uint64_t nodes = network.node_count();

  FileHeader header = make_header(link_magic, link_version);
  header.counts = {links, nodes, 0};
  BinaryWriter link(folder / link_file, header);
  link.write(network.link_ends);

  header = make_header(dist_magic, dist_version);
  header.extra = std::uint32_t(network.map_units);
  header.counts = {links, 0, 0};
  BinaryWriter dist(folder / dist_file, header);
  dist.write(network.link_metres);

  header = make_header(coord_magic, coord_version);
  header.counts = {nodes, links, network.geometry.points.size()};
  BinaryWriter coord(folder / coord_file, header);
  coord.write(network.node_points);
  coord.write(network.geometry.first_point);
  coord.write(network.geometry.points);

  header = make_header(node_magic, node_version);
  header.counts = {nodes, network.graph.arc_count(), 0};
  BinaryWriter node(folder / node_file, header);
  node.write(network.graph.first_out);
  node.write(network.graph.head);
  node.write(network.graph.arc_link);

  // Only now that every file is complete do they replace the old ones.
  link.commit();
  dist.commit();
  coord.commit();
  node.commit();
}

void write_attribute_file(const std::filesystem::path& folder,
                          const std::vector<std::uint8_t>& link_class) {
  FileHeader header = make_header(attribute_magic, attribute_version);
  header.counts = {link_class.size() - 1, 0, 0};
  BinaryWriter file(folder / attribute_file, header);
  file.write(link_class);
  file.commit();
}

std::vector<std::uint8_t> read_attribute_file(const std::filesystem::path& folder) {
  BinaryReader file(folder / attribute_file, attribute_magic, attribute_version, attribute_body);
  std::vector<std::uint8_t> link_class;
  file.read(link_class, file.header().counts[0] + 1);
  return link_class;
}

std::optional<bool> same_links_as_files(const std::filesystem::path& folder, const Network& built,
                                        std::string* unreadable) {
  std::string_view reading = dist_file;
  try {
    BinaryReader lengths(folder / dist_file, dist_magic, dist_version, dist_body);
    reading = coord_file;
    BinaryReader starts(folder / coord_file, coord_magic, coord_version, coord_body);
    BinaryReader shapes(folder / coord_file, coord_magic, coord_version, coord_body);
    const std::uint64_t links = built.link_count();
    const FileHeader& h = starts.header();
    if (lengths.header().counts[0] != links || h.counts[1] != links)
      return false;
    // "coord.bin": the node points, the shape starts (links + 2), then the shape points.
    const std::uint64_t node_bytes = (h.counts[0] + 1) * sizeof(Point);
    starts.skip(node_bytes);
    shapes.skip(node_bytes + (links + 2) * sizeof(std::uint64_t));
    ItemStream<double> length_items(lengths, links + 1);
    ItemStream<std::uint64_t> start_items(starts, links + 2);
    ItemStream<Point> point_items(shapes, h.counts[2]);
    reading = dist_file;
    length_items.next(); // slot 0
    reading = coord_file;
    start_items.next();
    std::uint64_t begin = start_items.next();
    if (begin != 0)
      throw Error(code::wrong_version, "shapes do not start at the first point");
    const auto& geometry = built.geometry;
    for (LinkId link = 1; link <= links; ++link) {
      const std::uint64_t end = start_items.next();
      if (end < begin || end > h.counts[2])
        throw Error(code::wrong_version, "shape of link " + std::to_string(link) + " is damaged");
      reading = dist_file;
      const double metres = length_items.next();
      reading = coord_file;
      const std::uint64_t new_begin = geometry.first_point[link];
      const std::uint64_t new_end = geometry.first_point[link + 1];
      if (metres != built.link_metres[link] || (end == begin) != (new_end == new_begin))
        return false;
      // Every point is read, in order, so that the shapes stream through one buffer.
      Point first{}, last{};
      for (std::uint64_t i = begin; i < end; ++i) {
        last = point_items.next();
        if (i == begin)
          first = last;
      }
      if (end != begin &&
          (first != geometry.points[new_begin] || last != geometry.points[new_end - 1]))
        return false;
      begin = end;
    }
    return true;
  } catch (const Error&) {
    if (unreadable)
      *unreadable = reading;
    return std::nullopt;
  }
}

LinkId read_link_count(const std::filesystem::path& folder) {
  BinaryReader file(folder / link_file, link_magic, link_version, link_body);
  return LinkId(file.header().counts[0]);
}

Network load_network(const std::filesystem::path& folder, const Progress& progress) {
  try {
    PhaseProgress phase(progress, 0, 100);
    Network network;
    std::uint64_t link_nodes = 0;
    {
      BinaryReader file(folder / link_file, link_magic, link_version, link_body);
      file.read(network.link_ends, file.header().counts[0] + 1);
      link_nodes = file.header().counts[1];
    }
    const std::uint64_t links = network.link_count();
    phase.step(1, 6);
    {
      BinaryReader file(folder / node_file, node_magic, node_version, node_body);
      const FileHeader& h = file.header();
      file.read(network.graph.first_out, h.counts[0] + 2);
      file.read(network.graph.head, h.counts[1]);
      file.read(network.graph.arc_link, h.counts[1]);
    }
    const std::uint64_t nodes = network.node_count();
    check_count(folder / node_file, "nodes", nodes, link_nodes);
    phase.step(2, 6);
    {
      BinaryReader file(folder / dist_file, dist_magic, dist_version, dist_body);
      check_count(folder / dist_file, "links", file.header().counts[0], links);
      network.map_units = int(file.header().extra);
      file.read(network.link_metres, links + 1);
    }
    phase.step(3, 6);
    {
      BinaryReader file(folder / coord_file, coord_magic, coord_version, coord_body);
      const FileHeader& h = file.header();
      check_count(folder / coord_file, "nodes", h.counts[0], nodes);
      check_count(folder / coord_file, "links", h.counts[1], links);
      file.read(network.node_points, nodes + 1);
      file.read(network.geometry.first_point, links + 2);
      file.read(network.geometry.points, h.counts[2]);
    }
    phase.step(5, 6);
    if (std::filesystem::exists(folder / attribute_file)) {
      network.link_class = read_attribute_file(folder);
      check_count(folder / attribute_file, "links", network.link_class.size() - 1, links);
    } else {
      network.link_class.assign(links + 1, default_road_class);
    }
    check_consistent(folder, network);
    phase.finish();
    return network;
  } catch (const std::bad_alloc&) {
    throw Error(code::out_of_memory, "out of memory loading the network in " + folder.string());
  }
}

} // namespace tamix
