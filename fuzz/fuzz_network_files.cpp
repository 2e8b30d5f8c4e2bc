// The engine's network-file loader on any bytes: the first byte picks one of the five files of
// a small sound network, the rest of the input replaces it. A damaged file must be refused
// (tamix::Error); a network that loads must then serve a search and nearest-node queries.

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "costs.h"
#include "error.h"
#include "network_build.h"
#include "network_files.h"
#include "node_index.h"
#include "scratch_folder.h"
#include "search.h"

namespace {

constexpr std::array<std::string_view, 5> files{
    tamix::link_file, tamix::dist_file, tamix::coord_file, tamix::node_file, tamix::attribute_file};

std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A square with a diagonal and a dead end, its files written into the scratch folder; the
// original bytes of each file are kept to undo an input.
const std::array<std::string, 5>& sound_files() {
  static const std::array<std::string, 5> bytes = [] {
    tamix::LinkGeometry shapes;
    shapes.first_point = {0, 0};
    for (const auto& line :
         std::initializer_list<std::initializer_list<tamix::Point>>{{{0, 0}, {10, 0}},
                                                                    {{10, 0}, {10, 10}, {12, 14}},
                                                                    {{12, 14}, {0, 0}},
                                                                    {{0, 0}, {-5, 3}}}) {
      shapes.points.insert(shapes.points.end(), line);
      shapes.first_point.push_back(shapes.points.size());
    }
    const auto& folder = corvane::fuzz::scratch_folder();
    const tamix::Network network = tamix::build_network(shapes, 7);
    tamix::write_network_files(folder, network);
    tamix::write_attribute_file(folder, std::vector<std::uint8_t>(network.link_count() + 1, 3));
    std::array<std::string, 5> kept;
    for (std::size_t i = 0; i < files.size(); ++i)
      kept[i] = read_bytes(folder / files[i]);
    return kept;
  }();
  return bytes;
}

void use(const tamix::Network& network) {
  tamix::ArcCosts costs;
  tamix::compute_arc_costs(network, tamix::CostSettings(), tamix::Weights(), costs);
  tamix::Search search(network);
  search.run_from(costs, 1);
  const tamix::NodeIndex index(network);
  for (const double x : {-1e300, 0.0, 7.5, 1e300})
    index.nearest(x, x / 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& sound = sound_files();
  if (size == 0)
    return 0;
  const std::size_t which = data[0] % files.size();
  const auto path = corvane::fuzz::scratch_folder() / files[which];
  corvane::fuzz::write_bytes(path, data + 1, size - 1);
  try {
    use(tamix::load_network(corvane::fuzz::scratch_folder()));
  } catch (const tamix::Error&) {
  }
  corvane::fuzz::write_bytes(path, reinterpret_cast<const std::uint8_t*>(sound[which].data()),
                             sound[which].size());
  return 0;
}
