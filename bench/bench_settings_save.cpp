// Saving the lists of the maintenance tools on the sample network, as a click of the close-road
// tool and of the set-speed tool saves them once the lists hold 300 rows: each writes
// "Corvane.ini" once, its section anew with every row (and the edit stamp for the speeds), in
// one synced replacement. The goals: under 50 ms for both saves together, and at most twice
// one synced rewrite of the file per file written (BM_SyncedRewriteOfTheSavedFile).
//
//   build-xxx/bin/bench_settings_save

#include <benchmark/benchmark.h>

#include <cstdint>

#include "common/stamp_network_edited.h"
#include "file_contents.h"
#include "maintenance/link_list.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "sample_host.h"

namespace corvane::bench {
namespace {

constexpr std::int32_t rows = 300;

SampleHost& sample() {
  static SampleHost host = [] {
    auto opened = open_sample_host("settings_save");
    auto& state = shared_state();
    for (std::int32_t row = 1; row < rows; ++row) {
      state.gClosedLinks[row] = row * 7;
      state.gTempSpeeds[row] = {.Link = row * 11.0, .SpeedKmph = 30, .SpeedMph = 18.64116};
    }
    state.gClosedLinkCount = state.gTempSpeedCount = rows - 1;
    return opened;
  }();
  return host;
}

// The 300th row of each list, saved as the two tools save it.
void BM_Save300ClosuresAnd300Speeds(benchmark::State& state) {
  sample();
  auto closed = ClosedRoadList();
  auto speeds = TempSpeedList();
  for (auto _ : state) {
    closed.put(rows, rows * 7);
    speeds.put(rows, {.Link = rows * 11.0, .SpeedKmph = 45, .SpeedMph = 27.96174},
               NetworkEditedStamp());
  }
  must(shared_state().gClosedLinkCount == rows && shared_state().gTempSpeedCount == rows, "rows");
}
BENCHMARK(BM_Save300ClosuresAnd300Speeds)->Unit(benchmark::kMillisecond)->UseRealTime();

// The least a save can cost: "Corvane.ini" rewritten once with the bytes the saves leave in it,
// through the same synced temporary and rename.
void BM_SyncedRewriteOfTheSavedFile(benchmark::State& state) {
  sample();
  ClosedRoadList().put(rows, rows * 7);
  TempSpeedList().put(rows, {.Link = rows * 11.0, .SpeedKmph = 45, .SpeedMph = 27.96174},
                      NetworkEditedStamp());
  const auto file = NetworkIniFile(sample().folder.string());
  const auto bytes = win::read_file_contents(file);
  must(bytes.has_value(), "the saved file read");
  for (auto _ : state)
    must(win::replace_file_contents(file, *bytes), "the file rewritten");
  state.counters["bytes"] = static_cast<double>(bytes->size());
}
BENCHMARK(BM_SyncedRewriteOfTheSavedFile)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace corvane::bench

int main(int argc, char** argv) {
  return corvane::bench::run_benchmarks_then_remove(argc, argv, "settings_save");
}
