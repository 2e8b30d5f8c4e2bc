// The link isochrone tools end to end, with the real host and engine: one click of the link
// isochrone tool (pre-check, set-up, solve, "CV_RESULT" written, renderer set, stamp), and one
// multi-centre run (the Shift+click that closes a set of 20 centres: set-up, solve, nearest
// centres into "CV_RESULT", costs into "COST", legend, renderer, stamp), on the sample network
// and on the 8 x 7 tiled copy of it (1.04 M links). The engine's solve alone, beside the
// textbook search from the same sources, is in bench_engine (BM_CentresLinkValues).
//
//   build-xxx/bin/bench_isochrone_click

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "com/create.h"
#include "dialogs/isochrones/legend.h"
#include "host/active_view.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "isochrones/iso_link_multi.h"
#include "isochrones/link_isochrone.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "sample_host.h"
#include "support/loaded_network_state.h"
#include "tiled_network.h"

namespace corvane::bench {
namespace {

namespace fs = std::filesystem;

struct Pixel {
  int x = 0;
  int y = 0;
};

struct Bench {
  SampleHost sample;
  com::ComPtr<LinkIsochrone> link_tool;
  com::ComPtr<IsoLinkMulti> multi_tool;
  std::vector<Pixel> centres; // 20 points spread over the network, as screen pixels
};

// A copy of the benchmark network of that size with its network files and the sample's
// projection, kept under the build folder: the tools write its table.
fs::path isochrone_folder(int columns, int rows) {
  const fs::path folder =
      bench_data("isochrone-" + std::to_string(columns) + "x" + std::to_string(rows));
  if (!fs::exists(folder / "roads.shp")) {
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(tamix::bench::network_folder(columns, rows)))
      fs::copy_file(entry.path(), folder / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
    fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj",
                  folder / "roads.prj", fs::copy_options::overwrite_existing);
  }
  return folder;
}

// The add-in's state as loading the network of `b` in its own document leaves it, and its user.
void use(Bench& b) {
  testing::SetLoadedNetworkState(b.sample.base, b.sample.calc, b.sample.folder.string());
  auto& state = shared_state();
  state.gDocument = com::ComPtr<host::HostDocument>(&b.sample.application->document());
  state.gZoneCount = 3;
  state.gZoneValues.reallocate(3);
  state.gZoneValues[1] = 5;
  state.gZoneValues[2] = 10;
  state.gZoneValues[3] = 15;
  state.gZoneMax = 15;
  forms::set_user(b.sample.person);
}

Bench make_bench(int columns, int rows) {
  Bench b{.sample = open_network_host(isochrone_folder(columns, rows), true),
          .link_tool = {},
          .multi_tool = {},
          .centres = {}};
  use(b);
  auto& document = b.sample.application->document();
  add_layer(document.map(), b.sample.folder, "roads");

  const auto extent = open_class(b.sample.folder, "roads")->Extent();
  const auto transformation = document.ActiveView()->ScreenDisplay()->DisplayTransformation();
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 4; ++j) {
      const auto at = create<host::HostPoint>(host::PointClass);
      at->PutCoords(extent->XMin() + (i + 0.5) / 5 * extent->Width(),
                    extent->YMin() + (j + 0.5) / 4 * extent->Height());
      Pixel pixel;
      must(transformation->FromMapPoint(at.get(), &pixel.x, &pixel.y) == com::S_OK, "pixel");
      b.centres.push_back(pixel);
    }

  b.link_tool = com::make<LinkIsochrone>();
  b.multi_tool = com::make<IsoLinkMulti>();
  must(b.link_tool->OnCreate(b.sample.application.get()) == com::S_OK, "OnCreate");
  must(b.multi_tool->OnCreate(b.sample.application.get()) == com::S_OK, "OnCreate");
  return b;
}

Bench& bench(int columns, int rows) {
  static std::map<int, Bench> made;
  const int key = columns * 100 + rows;
  if (!made.contains(key)) {
    shared_state().gNetBase = nullptr; // one network loaded at a time
    made.emplace(key, make_bench(columns, rows));
  }
  auto& b = made.at(key);
  use(b);
  return b;
}

// Collects the 20 centres and closes the set; returns the seconds of the closing Shift+click.
double multi_centre_run(Bench& b) {
  b.sample.person->expect<Legend>("Legend", [](Legend& dialog) {
    dialog.Costw.SetValue(true);
    dialog.Commandok.Click();
  });
  const auto last = b.centres.size() - 1;
  for (std::size_t i = 0; i < last; ++i)
    must(b.multi_tool->OnMouseDown(1, i == 0 ? 0 : 2, b.centres[i].x, b.centres[i].y) == com::S_OK,
         "centre");
  const auto start = std::chrono::steady_clock::now();
  must(b.multi_tool->OnMouseDown(1, 1, b.centres[last].x, b.centres[last].y) == com::S_OK,
       "Shift+click");
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_LinkIsochroneClick(benchmark::State& state) {
  auto& b = bench(int(state.range(0)), int(state.range(1)));
  const Pixel at = b.centres[9];
  must(b.link_tool->OnMouseDown(1, 0, at.x, at.y) == com::S_OK, "click"); // warm the caches
  for (auto _ : state)
    must(b.link_tool->OnMouseDown(1, 0, at.x, at.y) == com::S_OK, "click");
  must(shared_state().gNetworkResultPresent, "a result");
}
BENCHMARK(BM_LinkIsochroneClick)
    ->Args({1, 1})
    ->Args({8, 7})
    ->ArgNames({"columns", "rows"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_MultiCentreRun20(benchmark::State& state) {
  auto& b = bench(int(state.range(0)), int(state.range(1)));
  multi_centre_run(b); // the first run adds "COST" to the table
  for (auto _ : state)
    state.SetIterationTime(multi_centre_run(b));
  must(shared_state().gMultiStopCount == 20 && shared_state().gNetworkResultPresent, "a result");
}
BENCHMARK(BM_MultiCentreRun20)
    ->Args({1, 1})
    ->Args({8, 7})
    ->ArgNames({"columns", "rows"})
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

} // namespace
} // namespace corvane::bench

BENCHMARK_MAIN();
