// The opening of a network whose files are current, through the CreateNetwork command's click,
// with and without 300 closed roads and 300 temporary speeds in its "Corvane.ini", on the
// sample and on the tiled network of 1 M links (8 x 7 copies): every listed link gets its
// marker drawn from the road layer. Goals: the sample with 300 + 300 rows at most 1.5 times
// the opening without rows; 300 + 300 rows add under 1 s on 1 M links.
//
//   build-xxx/bin/bench_network_opening
//
// BM_MarkListedLinks draws the same 600 markers alone, from one pass over the layer
// (pass:1) and with one reading of the layer per marker (pass:0), as a click marks its link;
// BM_DrawListedMarkers draws them from points found before, without reading the layer.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "com/create.h"
#include "com/registration.h"
#include "command/app_path.h"
#include "common/mark_link_midpoint.h"
#include "common/marker_graphic.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "map/document.h"
#include "network/network_opening.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "sample_host.h"
#include "tiled_network.h"

namespace corvane::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::int32_t listed_rows = 300;

struct Opening {
  fs::path folder;
  com::ComPtr<host::Application> application;
  com::ComPtr<forms::testing::ScriptedUser> person;
  std::int32_t listed = 0;
  std::int32_t links = 0;
};

com::ComPtr<tamix::NetBase> new_engine() {
  return create<tamix::NetBase>(tamix::NetBaseProgId);
}

// The click, choosing the layer "roads" in the layer dialog.
void open(Opening& o) {
  forms::set_user(o.person);
  o.person->messages.clear();
  o.person->expect("Polylines", [](forms::IForm& form) {
    form.Perform("Combo1", {forms::Gesture::Select, "roads"});
    form.Perform("CmdOk", {forms::Gesture::Click, ""});
  });
  OpenNetwork(&o.application->document(), new_engine());
}

bool said(const Opening& o, const std::string& text) {
  for (const auto& message : o.person->messages)
    if (message.text == text)
      return true;
  return false;
}

// The `index`th of `count` links spread evenly over links 1 .. `links`, plus `offset`.
std::int32_t spread(std::int32_t index, std::int32_t count, std::int32_t links,
                    std::int32_t offset) {
  return 1 + static_cast<std::int32_t>(static_cast<std::int64_t>(index) * (links - 2) / count) +
         offset;
}

// A copy of the roads of that size in a folder of its own, built by a first opening, then
// given `listed` closures and as many temporary speeds spread over the layer.
Opening make_opening(int columns, int rows, std::int32_t listed) {
  Opening o;
  o.listed = listed;
  o.folder = bench_data("opening") /
             (std::to_string(columns) + "x" + std::to_string(rows) + "-" + std::to_string(listed));
  fs::remove_all(o.folder);
  fs::create_directories(o.folder);
  for (const char* extension : {".shp", ".shx", ".dbf"})
    fs::copy_file(tamix::bench::network_folder(columns, rows) / (std::string("roads") + extension),
                  o.folder / (std::string("roads") + extension));
  fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj",
                o.folder / "roads.prj");

  must(com::register_module(fs::path(AppPath()) / "libtamix.so") == com::S_OK, "engine");
  shared_state().gNetCalc = create<tamix::NetCalc>(tamix::NetCalcProgId);
  o.application = com::make<host::Application>();
  o.application->document().map().SetDistanceUnits(host::Kilometers);
  add_layer(o.application->document().map(), o.folder, "roads");
  o.person = com::make<forms::testing::ScriptedUser>();
  // The build asks for the road-class field.
  o.person->expect("Polylines1", [](forms::IForm& form) {
    form.Perform("Combo1", {forms::Gesture::Select, "CLASS"});
    form.Perform("CmdOk", {forms::Gesture::Click, ""});
  });
  open(o);
  must(said(o, "Network created successfully"), "the first opening builds the network");
  std::int32_t count = 0;
  must(open_class(o.folder, "roads")->FeatureCount(nullptr, &count) == com::S_OK, "count");
  o.links = count;

  std::vector<std::int32_t> closed;
  std::vector<TempSpeedRow> speeds;
  for (std::int32_t row = 0; row < listed; ++row) {
    closed.push_back(spread(row, listed, o.links, 0));
    speeds.push_back({.Link = static_cast<double>(spread(row, listed, o.links, 1)),
                      .SpeedKmph = 30,
                      .SpeedMph = 18.64116});
  }
  settings::Changes changes;
  settings::replace_closed_links(changes, closed);
  settings::replace_temp_speeds(changes, speeds);
  must(settings::commit(NetworkIniFile(o.folder.string()), changes), "rows written");
  return o;
}

Opening& opening(int columns, int rows, std::int32_t listed) {
  static std::map<std::tuple<int, int, int>, Opening> made;
  const auto key = std::tuple{columns, rows, listed};
  if (!made.contains(key)) {
    shared_state().gNetBase = nullptr; // one network loaded at a time
    made.emplace(key, make_opening(columns, rows, listed));
  }
  return made.at(key);
}

void clear_graphics(Opening& o) {
  com::ComPtr<host::HostMap>(&o.application->document().map())
      .as<host::HostGraphicsContainer>()
      ->DeleteAllElements();
}

// {columns, rows, closures and temporary speeds each}
void BM_OpenNetwork(benchmark::State& state) {
  auto& o = opening(int(state.range(0)), int(state.range(1)), std::int32_t(state.range(2)));
  for (auto _ : state) {
    state.PauseTiming();
    clear_graphics(o);
    shared_state().gNetBase = nullptr;
    state.ResumeTiming();
    open(o);
  }
  const auto& s = shared_state();
  must(said(o, "Network loaded successfully") && s.gNetworkState == NetworkLoaded, "loaded");
  must(s.gClosedLinkCount == o.listed && s.gTempSpeedCount == o.listed, "rows read");
  state.counters["links"] = o.links;
}
BENCHMARK(BM_OpenNetwork)
    ->ArgNames({"columns", "rows", "listed"})
    ->Args({1, 1, 0})
    ->Args({1, 1, listed_rows})
    ->Args({8, 7, 0})
    ->Args({8, 7, listed_rows})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// {columns, rows, one pass}: the markers of the 300 + 300 rows of the opening above alone.
void BM_MarkListedLinks(benchmark::State& state) {
  auto& o = opening(int(state.range(0)), int(state.range(1)), listed_rows);
  const bool one_pass = state.range(2) != 0;
  const auto features = open_class(o.folder, "roads");
  auto& map = o.application->document().map();
  for (auto _ : state) {
    state.PauseTiming();
    clear_graphics(o);
    state.ResumeTiming();
    if (one_pass) {
      LinkMarkers markers;
      for (std::int32_t row = 0; row < listed_rows; ++row) {
        markers.add(spread(row, listed_rows, o.links, 1), TempSpeedMarkerRatio, MarkerTempSpeed);
        markers.add(spread(row, listed_rows, o.links, 0), ClosedRoadMarkerRatio, MarkerClosedRoad);
      }
      markers.read(features.get());
      markers.draw(&map, MarkerTempSpeed);
      markers.draw(&map, MarkerClosedRoad);
    } else {
      const auto mark = [&](std::int32_t link, double ratio, std::string_view kind) {
        if (const auto point = LinkMarkerPoint(features.get(), link, ratio))
          AddMarkerGraphic(&map, point.get(), kind);
      };
      for (std::int32_t row = 0; row < listed_rows; ++row)
        mark(spread(row, listed_rows, o.links, 1), TempSpeedMarkerRatio, MarkerTempSpeed);
      for (std::int32_t row = 0; row < listed_rows; ++row)
        mark(spread(row, listed_rows, o.links, 0), ClosedRoadMarkerRatio, MarkerClosedRoad);
    }
  }
}
BENCHMARK(BM_MarkListedLinks)
    ->ArgNames({"columns", "rows", "pass"})
    ->Args({1, 1, 0})
    ->Args({1, 1, 1})
    ->Args({8, 7, 0})
    ->Args({8, 7, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The 600 markers of the sample's rows drawn alone, from points read before: what a marker
// costs to draw, without the pass over the layer.
void BM_DrawListedMarkers(benchmark::State& state) {
  auto& o = opening(1, 1, listed_rows);
  LinkMarkers markers;
  for (std::int32_t row = 0; row < listed_rows; ++row) {
    markers.add(spread(row, listed_rows, o.links, 1), TempSpeedMarkerRatio, MarkerTempSpeed);
    markers.add(spread(row, listed_rows, o.links, 0), ClosedRoadMarkerRatio, MarkerClosedRoad);
  }
  markers.read(open_class(o.folder, "roads").get());
  auto& map = o.application->document().map();
  for (auto _ : state) {
    state.PauseTiming();
    clear_graphics(o);
    state.ResumeTiming();
    markers.draw(&map, MarkerTempSpeed);
    markers.draw(&map, MarkerClosedRoad);
  }
  state.counters["per_marker"] =
      benchmark::Counter(double(2 * listed_rows), benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawListedMarkers)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace corvane::bench

int main(int argc, char** argv) {
  return corvane::bench::run_benchmarks_then_remove(argc, argv, "opening");
}
