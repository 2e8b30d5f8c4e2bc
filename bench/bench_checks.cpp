// The network checks on the sample network (1x1) and on tiled copies of it (8x7: about one
// million links): each find alone, and the find with its values written into the result
// field of a table of one row per link, as FindX followed by WriteResults does. The counters
// give what each check found (on the sample: components and bridges for comparison with other
// tools).
//
//   build-xxx/bin/bench_checks --benchmark_counters_tabular=true

#include "tiled_network.h"

#include "network_checks.h"
#include "network_files.h"
#include "result_field.h"

#include <benchmark/benchmark.h>
#include <shapefil.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

namespace tamix::bench {
namespace {

struct Loaded {
  Network network;
  std::filesystem::path table; // a .dbf with "CV_RESULT" and one row per link
};

std::filesystem::path result_table(const std::filesystem::path& folder, LinkId links) {
  const auto file = folder.parent_path() / (folder.filename().string() + "-checks.dbf");
  if (std::filesystem::exists(file))
    return file;
  const auto building = folder.parent_path() / (folder.filename().string() + "-building.dbf");
  DBFHandle table = DBFCreate(building.c_str());
  DBFAddField(table, "NAME", FTString, 30, 0);
  DBFAddField(table, "CV_RESULT", FTDouble, 11, 3);
  for (LinkId row = 0; row < links; ++row)
    DBFWriteDoubleAttribute(table, int(row), 1, 0.0);
  DBFClose(table);
  std::filesystem::rename(building, file);
  return file;
}

const Loaded& loaded(int columns, int rows) {
  static std::map<std::pair<int, int>, std::unique_ptr<Loaded>> cache;
  auto& slot = cache[{columns, rows}];
  if (!slot) {
    slot = std::make_unique<Loaded>();
    const auto folder = network_folder(columns, rows);
    slot->network = load_network(folder);
    slot->table = result_table(folder, slot->network.link_count());
  }
  return *slot;
}

// As WriteResults writes them: row r is link r + 1, the whole column in one pass.
void write_values(const Loaded& l, const LinkValues& values) {
  const std::vector<double> rows(values.begin() + 1, values.end());
  ResultField(l.table, "CV_RESULT").write_rows(rows);
}

// Runs a find on the network given by the benchmark's arguments; with argument 2 set, writes
// its values too. Returns the last values for the counters.
template <class Find> LinkValues run(benchmark::State& state, Find&& find) {
  const Loaded& l = loaded(int(state.range(0)), int(state.range(1)));
  LinkValues values;
  for (auto _ : state) {
    values = find(l.network);
    if (state.range(2) != 0)
      write_values(l, values);
  }
  state.counters["links"] = l.network.link_count();
  return values;
}

std::int32_t links_with(const LinkValues& values, std::int32_t value) {
  return std::int32_t(std::count(values.begin() + 1, values.end(), value));
}

void BM_DeadEnds(benchmark::State& state) {
  const LinkValues values = run(state, [](const Network& n) { return find_dead_ends(n); });
  state.counters["cul_de_sac"] = links_with(values, dead_end::cul_de_sac);
  state.counters["loop"] = links_with(values, dead_end::loop);
  state.counters["bridge"] = links_with(values, dead_end::bridge);
  state.counters["minor_net"] = links_with(values, dead_end::minor_net);
}

void BM_ParallelLinks(benchmark::State& state) {
  std::int32_t groups = 0;
  const LinkValues values = run(state, [&](const Network& n) {
    CheckResult found = find_parallel_links(n);
    groups = found.count;
    return std::move(found.of_link);
  });
  state.counters["groups"] = groups;
  state.counters["parallel"] = double(values.size() - 1) - links_with(values, 0);
}

void BM_Subnets(benchmark::State& state) {
  std::int32_t subnets = 0;
  run(state, [&](const Network& n) {
    CheckResult found = find_subnets(n);
    subnets = found.count;
    return std::move(found.of_link);
  });
  state.counters["subnets"] = subnets;
}

void BM_UnusedLinks(benchmark::State& state) {
  const LinkValues values = run(state, [](const Network& n) {
    return find_unused_links(n).of_link;
  });
  state.counters["unused"] = links_with(values, unused_link::unused);
  state.counters["loop"] = links_with(values, unused_link::loop);
}

// {columns, rows, written}
#define CHECK_ARGS                                                                                 \
  Args({1, 1, 0})->Args({1, 1, 1})->Args({8, 7, 0})->Args({8, 7, 1})->Unit(benchmark::kMillisecond)
BENCHMARK(BM_DeadEnds)->CHECK_ARGS;
BENCHMARK(BM_ParallelLinks)->CHECK_ARGS;
BENCHMARK(BM_Subnets)->CHECK_ARGS;
BENCHMARK(BM_UnusedLinks)->CHECK_ARGS;

} // namespace
} // namespace tamix::bench

BENCHMARK_MAIN();
