// The node layer, the close nodes and pseudo-node removal on the sample network (1x1) and on
// tiled copies of it (8x7: about one million links).
//   ExportNodes       every node written as "node.shp" (with .shx and .dbf);
//   CloseNodes        the nodes closer than 5 m to another found and written as "closenodes";
//   RemovePseudoNodes the chains found, each chain's links put in join order, and the network
//                     shapefile rewritten with every chain as one link, all three files through
//                     temporary names (a fresh copy of the shapefile for each iteration, made
//                     outside the timing).
// What is left out of the last one is the add-in's reading of the chain numbers and link ends
// through the host's cursor, and the dialogs; the README gives the whole command's time on the
// sample as gishost runs it.
//
//   build-xxx/bin/bench_node_checks --benchmark_counters_tabular=true

#include "tiled_network.h"

#include "checks/merge_joinable_chains.h"
#include "close_nodes.h"
#include "data/line_merge.h"
#include "network_checks.h"
#include "network_files.h"
#include "node_shapefiles.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace tamix::bench {
namespace {

namespace fs = std::filesystem;

const Network& loaded(int columns, int rows) {
  static std::map<std::pair<int, int>, std::unique_ptr<Network>> cache;
  auto& slot = cache[{columns, rows}];
  if (!slot)
    slot = std::make_unique<Network>(load_network(network_folder(columns, rows)));
  return *slot;
}

fs::path scratch(int columns, int rows, const char* what) {
  const auto folder =
      fs::path(CORVANE_BINARY_DIR) / "bench-data" /
      (std::string(what) + "-" + std::to_string(columns) + "x" + std::to_string(rows));
  fs::create_directories(folder);
  return folder;
}

void ExportNodes(benchmark::State& state) {
  const int columns = int(state.range(0)), rows = int(state.range(1));
  const Network& network = loaded(columns, rows);
  const auto folder = scratch(columns, rows, "nodes");
  for (auto _ : state)
    write_node_shapefile(folder / "node", network);
  state.counters["nodes"] = network.node_count();
}
BENCHMARK(ExportNodes)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMillisecond);

void CloseNodes(benchmark::State& state) {
  const int columns = int(state.range(0)), rows = int(state.range(1));
  const Network& network = loaded(columns, rows);
  const auto folder = scratch(columns, rows, "nodes");
  std::size_t found = 0;
  for (auto _ : state) {
    const auto close = find_close_nodes(network, 5.0);
    write_close_node_shapefile(folder / "closenodes", network, close);
    found = close.size();
  }
  state.counters["nodes"] = network.node_count();
  state.counters["close"] = double(found);
}
BENCHMARK(CloseNodes)->Args({1, 1})->Args({8, 7})->Unit(benchmark::kMillisecond);

void RemovePseudoNodes(benchmark::State& state) {
  const int columns = int(state.range(0)), rows = int(state.range(1));
  const Network& network = loaded(columns, rows);
  const auto source = network_folder(columns, rows);
  const auto folder = scratch(columns, rows, "merge");
  std::size_t merged = 0;
  for (auto _ : state) {
    state.PauseTiming();
    for (const char* extension : {".shp", ".shx", ".dbf"})
      fs::copy_file(source / (std::string("roads") + extension),
                    folder / (std::string("roads") + extension),
                    fs::copy_options::overwrite_existing);
    state.ResumeTiming();

    const CheckResult chains = find_joinable_links(network, 0, {});
    std::vector<std::vector<corvane::ChainLink>> links(std::size_t(chains.count));
    for (LinkId link = 1; link <= network.link_count(); ++link) {
      if (chains.of_link[link] == 0)
        continue;
      const auto points = network.geometry.of(link);
      links[std::size_t(chains.of_link[link] - 1)].push_back({std::int32_t(link - 1),
                                                              points.front().x, points.front().y,
                                                              points.back().x, points.back().y});
    }
    std::vector<std::vector<std::int32_t>> runs;
    for (const auto& chain : links)
      for (auto& run : corvane::JoinRuns(chain))
        runs.push_back(std::move(run));
    const auto base = (folder / "roads").string();
    host::merge_line_records({base + ".shp", base + ".shx", base + ".dbf"}, runs);
    merged = runs.size();
  }
  state.counters["links"] = network.link_count();
  state.counters["joined_lines"] = double(merged);
}
BENCHMARK(RemovePseudoNodes)
    ->Args({1, 1})
    ->Args({8, 7})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace tamix::bench

BENCHMARK_MAIN();
