// The batch isochrones end to end on the sample network (18,576 links), with the real host and
// engine, for 100 of the sample places (every 22nd): zone polygons with five zones (1 .. 5 km,
// as rings) of all points at once and of each point apart, link isochrones from all points,
// and their nearest-centre zones. Every step of the command is in the figure: the pre-check,
// the engine set-up, the dialog, the old output removed, the points read, snapped and flagged,
// the engine's work, the output written and drawn, the temporaries removed, the stamp.
//
//   build-xxx/bin/bench_batch_isochrones --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "com/create.h"
#include "dialogs/isochrones/frm_batch_isochrone.h"
#include "dialogs/isochrones/legend.h"
#include "host/cursor.h"
#include "host/row.h"
#include "host/workspace.h"
#include "isochrones/batch_iso_chrone.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "sample_host.h"

namespace corvane::bench {
namespace {

namespace fs = std::filesystem;

constexpr int place_step = 22; // 2,245 places: every 22nd gives 103
constexpr const char* folder_name = "batch-isochrones";

struct Bench {
  SampleHost sample;
  com::ComPtr<BatchIsoChrone> command;
  std::int32_t points = 0;
};

// "centres": every `place_step`-th sample place, with its fields and coordinate system.
std::int32_t make_centres(const fs::path& folder) {
  const auto places = open_class(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg", "places");
  com::ComPtr<host::HostFeatureClass> centres;
  must(workspace(folder)->CreateFeatureClass("centres", places->Fields().get(), 1, "Shape", "",
                                             &centres) == com::S_OK,
       "create centres");
  const int name = places->FindField("NAME");
  std::int32_t count = 0;
  must(places->FeatureCount(nullptr, &count) == com::S_OK, "count places");
  com::ComPtr<host::HostFeatureCursor> inserter;
  must(centres->Insert(true, &inserter) == com::S_OK, "Insert");
  com::ComPtr<host::HostFeatureBuffer> buffer;
  must(centres->CreateFeatureBuffer(&buffer) == com::S_OK, "CreateFeatureBuffer");
  std::int32_t taken = 0;
  for (std::int32_t id = 0; id < count; id += place_step, ++taken) {
    com::ComPtr<host::HostFeature> place;
    must(places->GetFeature(id, &place) == com::S_OK, "GetFeature");
    buffer->SetShape(place->ShapeCopy().get());
    must(buffer->SetValue(centres->FindField("NAME"), place->Value(name)) == com::S_OK, "NAME");
    must(inserter->InsertFeature(buffer.get(), nullptr) == com::S_OK, "InsertFeature");
  }
  must(inserter->Flush() == com::S_OK, "Flush");
  return taken;
}

Bench make_bench() {
  Bench b{.sample = open_sample_host(folder_name), .command = {}, .points = 0};
  b.points = make_centres(b.sample.folder);
  SetZoneRings(5);
  shared_state().gClipMode = ClipMode::Off;
  auto& map = b.sample.application->document().map();
  add_layer(map, b.sample.folder, "roads");
  add_layer(map, b.sample.folder, "centres");
  b.command = com::make<BatchIsoChrone>();
  must(b.command->OnCreate(b.sample.application.get()) == com::S_OK, "OnCreate");
  return b;
}

Bench& bench() {
  static Bench b = make_bench();
  return b;
}

// One run of the command in `option`'s mode, the points labelled by their names.
void run(Bench& b, const char* option) {
  b.sample.person->expect<FrmBatchIsochrone>(
      "FrmBatchIsochrone", [option](FrmBatchIsochrone& dialog) {
        dialog.Perform("CmdTab", {forms::Gesture::Select, "centres"});
        dialog.Perform(option, {forms::Gesture::Click, ""});
        dialog.Perform("CmdOk", {forms::Gesture::Click, ""});
      });
  if (std::string(option) == "RadLnkIso")
    b.sample.person->expect<Legend>("Legend", [](Legend& legend) {
      legend.Perform("Costw", {forms::Gesture::Click, ""});
      legend.Perform("Commandok", {forms::Gesture::Click, ""});
    });
  must(b.command->OnClick() == com::S_OK, "OnClick");
}

std::int32_t output_features(Bench& b) {
  std::int32_t count = 0;
  open_class(b.sample.folder, "BatchIsochrone")->FeatureCount(nullptr, &count);
  return count;
}

void BM_ZonePolygons(benchmark::State& state) {
  auto& b = bench();
  shared_state().gAllowOverlap = static_cast<Overlap>(state.range(0));
  for (auto _ : state)
    run(b, "RadVoronoi");
  state.counters["points"] = b.points;
  state.counters["zones"] = output_features(b);
  must(b.sample.person->messages.empty(), "runs without messages");
}
BENCHMARK(BM_ZonePolygons)
    ->Arg(1)
    ->Arg(2)
    ->ArgName("overlap")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_NearestCentres(benchmark::State& state) {
  auto& b = bench();
  for (auto _ : state)
    run(b, "RadCloCen");
  state.counters["points"] = b.points;
  state.counters["zones"] = output_features(b);
  must(b.sample.person->messages.empty(), "runs without messages");
}
BENCHMARK(BM_NearestCentres)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LinkIsochrones(benchmark::State& state) {
  auto& b = bench();
  for (auto _ : state)
    run(b, "RadLnkIso");
  state.counters["points"] = b.points;
  must(b.sample.person->messages.empty(), "runs without messages");
}
BENCHMARK(BM_LinkIsochrones)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace corvane::bench

int main(int argc, char** argv) {
  return corvane::bench::run_benchmarks_then_remove(argc, argv, corvane::bench::folder_name);
}
