// The batch isochrones end to end on the sample network (18,576 links), with the real host and
// engine, for 100 of the sample places (every 22nd): zone polygons with five zones (1 .. 5 km,
// as rings) of all points at once and of each point apart, link isochrones from all points,
// and their nearest-centre zones. Every step of the command is in the figure: the pre-check,
// the engine set-up, the dialog, the old output removed, the points read, snapped and flagged,
// the engine's work, the output written and drawn, the temporaries removed, the stamp.
//
//   build-xxx/bin/bench_batch_isochrones --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "com/create.h"
#include "com/registration.h"
#include "common/app_path.h"
#include "common/handler_end.h"
#include "dialogs/isochrones/frm_batch_isochrone.h"
#include "dialogs/isochrones/legend.h"
#include "forms/testing/scripted_user.h"
#include "host/cursor.h"
#include "host/layer.h"
#include "host/row.h"
#include "host/workspace.h"
#include "isochrones/batch_iso_chrone.h"
#include "map/document.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane::bench {
namespace {

namespace fs = std::filesystem;

constexpr int place_step = 22; // 2,245 places: every 22nd gives 103

struct Bench {
  fs::path folder;
  com::ComPtr<host::Application> application;
  com::ComPtr<tamix::NetBase> base;
  com::ComPtr<tamix::NetCalc> calc;
  com::ComPtr<forms::testing::ScriptedUser> person;
  com::ComPtr<BatchIsoChrone> command;
  std::int32_t points = 0;
};

void must(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "bench_batch_isochrones: %s failed\n", what.c_str());
    std::exit(1);
  }
}

com::ComPtr<host::HostFeatureWorkspace> workspace(const fs::path& folder) {
  const auto factory = create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> opened;
  must(factory->OpenFromFile(folder.string(), 0, &opened) == com::S_OK, "OpenFromFile");
  return opened.as<host::HostFeatureWorkspace>();
}

com::ComPtr<host::HostFeatureClass> open(const fs::path& folder, const std::string& name) {
  com::ComPtr<host::HostFeatureClass> features;
  must(workspace(folder)->OpenFeatureClass(name, &features) == com::S_OK, "open " + name);
  return features;
}

// "centres": every `place_step`-th sample place, with its fields and coordinate system.
std::int32_t make_centres(const fs::path& folder) {
  const auto places = open(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg", "places");
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

void add_layer(host::HostMap& map, const fs::path& folder, const std::string& name) {
  const auto layer = create<host::HostFeatureLayer>(host::FeatureLayerClass);
  layer->SetFeatureClass(open(folder, name).get());
  layer->SetName(name);
  must(map.AddLayer(layer.get()) == com::S_OK, "AddLayer " + name);
}

Bench make_bench() {
  Bench b;
  b.folder = fs::path(CORVANE_BINARY_DIR) / "bench-data" / "batch-isochrones";
  fs::remove_all(b.folder);
  fs::create_directories(b.folder);
  for (const char* extension : {".shp", ".shx", ".dbf", ".prj"})
    fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg" /
                      (std::string("roads") + extension),
                  b.folder / (std::string("roads") + extension));
  b.points = make_centres(b.folder);
  must(com::register_module(fs::path(AppPath()) / "libtamix.so") == com::S_OK, "engine");
  b.base = create<tamix::NetBase>(tamix::NetBaseProgId);
  b.calc = create<tamix::NetCalc>(tamix::NetCalcProgId);
  b.base->SetNetworkFolder(b.folder.string());
  must(b.base->SetMapUnits(1) == 0 && b.base->SetDistanceUnits(0) == 0, "units");
  must(b.base->CreateNetwork("roads", 0, "") == 0 && b.base->LoadNetwork() == 0, "network");
  must(b.calc->SetNet(b.base->GetIdentifier()) == 0, "SetNet");
  settings::write(NetworkIniFile(b.folder.string()), settings::Info, settings::ShapeFile, "roads");

  auto& state = shared_state();
  state.gNetBase = b.base;
  state.gNetCalc = b.calc;
  state.gNetworkFolder = b.folder.string();
  state.gNetworkLayerName = "roads";
  state.gNetworkState = NetworkLoaded;
  state.gRouteType = RouteShortest;
  state.gDistUnits = "Kilometers";
  state.gRoadClassCount = 1;
  state.gRoadClassSpeeds[0] = {.SpeedKmph = 30, .SpeedMph = 18.64F, .ClassValue = 1, .Alias = ""};
  state.gZoneCount = 5;
  state.gZoneValues.reallocate(5);
  for (std::int32_t zone = 1; zone <= 5; ++zone)
    state.gZoneValues[zone] = static_cast<float>(zone);
  state.gZoneMax = 5;
  state.gDoughnut = true;
  state.gClipMode = 0;

  b.application = com::make<host::Application>();
  auto& map = b.application->document().map();
  map.SetDistanceUnits(host::Kilometers);
  add_layer(map, b.folder, "roads");
  add_layer(map, b.folder, "centres");
  state.gDocument = com::ComPtr<host::HostDocument>(&b.application->document());

  b.person = com::make<forms::testing::ScriptedUser>();
  forms::set_user(b.person);
  b.command = com::make<BatchIsoChrone>();
  must(b.command->OnCreate(b.application.get()) == com::S_OK, "OnCreate");
  return b;
}

Bench& bench() {
  static Bench b = make_bench();
  return b;
}

// One run of the command in `option`'s mode, the points labelled by their names.
void run(Bench& b, const char* option) {
  b.person->expect<FrmBatchIsochrone>("FrmBatchIsochrone", [option](FrmBatchIsochrone& dialog) {
    dialog.Perform("CmdTab", {forms::Gesture::Select, "centres"});
    dialog.Perform(option, {forms::Gesture::Click, ""});
    dialog.Perform("CmdOk", {forms::Gesture::Click, ""});
  });
  if (std::string(option) == "RadLnkIso")
    b.person->expect<Legend>("Legend", [](Legend& legend) {
      legend.Perform("Costw", {forms::Gesture::Click, ""});
      legend.Perform("Commandok", {forms::Gesture::Click, ""});
    });
  must(b.command->OnClick() == com::S_OK, "OnClick");
}

std::int32_t output_features(Bench& b) {
  std::int32_t count = 0;
  open(b.folder, "BatchIsochrone")->FeatureCount(nullptr, &count);
  return count;
}

void BM_ZonePolygons(benchmark::State& state) {
  auto& b = bench();
  shared_state().gAllowOverlap = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state)
    run(b, "RadVoronoi");
  state.counters["points"] = b.points;
  state.counters["zones"] = output_features(b);
  must(b.person->messages.empty(), "runs without messages");
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
  must(b.person->messages.empty(), "runs without messages");
}
BENCHMARK(BM_NearestCentres)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LinkIsochrones(benchmark::State& state) {
  auto& b = bench();
  for (auto _ : state)
    run(b, "RadLnkIso");
  state.counters["points"] = b.points;
  must(b.person->messages.empty(), "runs without messages");
}
BENCHMARK(BM_LinkIsochrones)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace corvane::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(std::filesystem::path(CORVANE_BINARY_DIR) / "bench-data" /
                              "batch-isochrones");
  return 0;
}
