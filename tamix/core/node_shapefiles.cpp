#include "node_shapefiles.h"

#include "files/replace_file.h"
#include "output_table_dbf.h"
#include "output_table_lines.h"
#include "result_field.h"
#include "tamix/output_fields.h"

#include <cstring>

namespace tamix {

namespace {

constexpr int id_width = 10;
constexpr int count_width = 5;

// Writes one point per entry of `nodes` with two whole-number fields; `second` gives the
// second field's value of a node.
template <class Node, class First, class Second>
void write_points(const std::filesystem::path& base, const Network& network,
                  std::span<const Node> nodes, std::string_view second_name, int second_width,
                  First node_of, Second second_of) {
  finish_earlier_set(base);
  LineShapeWriter shapes(base, ShapeKind::point);
  DbfWriter table(with_extension(base, ".dbf"));
  const std::size_t id_at = table.add_field(output::node_id_field, 'N', id_width, 0);
  const std::size_t second_at = table.add_field(second_name, 'N', second_width, 0);
  for (const Node& entry : nodes) {
    const NodeId node = node_of(entry);
    shapes.write_point(network.node_points[node]);
    char* record = table.next_record();
    const std::string id = dbf_number_text(node, id_width, 0);
    const std::string second = dbf_number_text(second_of(entry), second_width, 0);
    std::memcpy(record + id_at, id.data(), id.size());
    std::memcpy(record + second_at, second.data(), second.size());
  }
  OutputSet set;
  shapes.finish(set);
  table.finish(set);
  replace_output_set(set);
}

} // namespace

void write_node_shapefile(const std::filesystem::path& base, const Network& network) {
  std::vector<NodeId> nodes(network.node_count());
  for (NodeId v = 1; v <= network.node_count(); ++v)
    nodes[v - 1] = v;
  const Graph& graph = network.graph;
  write_points(
      base, network, std::span<const NodeId>(nodes), output::links_field, count_width,
      [](NodeId v) { return v; },
      [&](NodeId v) { return double(graph.arcs_end(v) - graph.arcs_begin(v)); });
}

void write_close_node_shapefile(const std::filesystem::path& base, const Network& network,
                                std::span<const CloseNode> nodes) {
  write_points(
      base, network, nodes, output::connected_field, 1, [](const CloseNode& c) { return c.node; },
      [](const CloseNode& c) { return c.connected ? 1.0 : 0.0; });
}

} // namespace tamix
