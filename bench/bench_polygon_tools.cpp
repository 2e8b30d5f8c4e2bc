// The polygon isochrone tools end to end on the sample network (18,576 links), with the real host
// and engine: one click of the single-centre tool with five zones (1 .. 5 km), unclipped and cut
// to one polygon over half the zones; every step of the click is in the figure (old output
// removed, engine set-up, the engine's zones, the copy or the cut, the renderer, the stamp).
//
//   build-xxx/bin/bench_polygon_tools --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "com/create.h"
#include "com/registration.h"
#include "common/app_path.h"
#include "common/handler_end.h"
#include "forms/testing/scripted_user.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/row.h"
#include "host/workspace.h"
#include "isochrones/iso_poly.h"
#include "isochrones/iso_poly3.h"
#include "map/document.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "support/loaded_network_state.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane::bench {
namespace {

namespace fs = std::filesystem;

// A central place of the sample, and the clip polygon east of it.
constexpr double centre_x = 676946.903;
constexpr double centre_y = 6399656.666;

struct Bench {
  fs::path folder;
  com::ComPtr<host::Application> application;
  com::ComPtr<tamix::NetBase> base;
  com::ComPtr<tamix::NetCalc> calc;
  com::ComPtr<forms::testing::ScriptedUser> person;
  com::ComPtr<IsoPoly> single_centre;
  com::ComPtr<IsoPoly3> nearest_centre;
};

void must(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "bench_polygon_tools: %s failed\n", what.c_str());
    std::exit(1);
  }
}

com::ComPtr<host::HostFeatureWorkspace> workspace(const fs::path& folder) {
  const auto factory = create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> opened;
  must(factory->OpenFromFile(folder.string(), 0, &opened) == com::S_OK, "OpenFromFile");
  return opened.as<host::HostFeatureWorkspace>();
}

void add_layer(host::HostMap& map, const std::string& name) {
  com::ComPtr<host::HostFeatureClass> features;
  must(workspace(fs::path(shared_state().gNetworkFolder))->OpenFeatureClass(name, &features) ==
           com::S_OK,
       "open " + name);
  const auto layer = create<host::HostFeatureLayer>(host::FeatureLayerClass);
  layer->SetFeatureClass(features.get());
  layer->SetName(name);
  must(map.AddLayer(layer.get()) == com::S_OK, "AddLayer " + name);
}

// "Clip": one polygon over the half of the zones east of the centre, with the roads' ".prj".
void make_clip_layer(const fs::path& folder) {
  com::ComPtr<host::HostFeatureClass> roads;
  must(workspace(folder)->OpenFeatureClass("roads", &roads) == com::S_OK, "open roads");
  const auto fields = create<host::HostFieldsEdit>(host::FieldsClass);
  const auto shape = create<host::HostFieldEdit>(host::FieldClass);
  const auto definition = create<host::HostGeometryDefEdit>(host::GeometryDefClass);
  definition->SetGeometryType(host::geometry_polygon);
  definition->SetSpatialReference(
      roads->Fields()->Field(roads->FindField("Shape"))->GeometryDef()->SpatialReference().get());
  shape->SetName("Shape");
  shape->SetType(host::field_geometry);
  shape->SetGeometryDef(definition.get());
  fields->AddField(shape.get());
  com::ComPtr<host::HostFeatureClass> clip;
  must(workspace(folder)->CreateFeatureClass("clip", fields.get(), 1, "Shape", "", &clip) ==
           com::S_OK,
       "create clip");
  com::ComPtr<host::HostFeature> feature;
  must(clip->CreateFeature(&feature) == com::S_OK, "CreateFeature");
  const auto polygon = create<host::HostPolygon>(host::PolygonClass);
  const double x0 = centre_x, x1 = centre_x + 10000, y0 = centre_y - 10000, y1 = centre_y + 10000;
  polygon->AddRing({{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}});
  feature->SetShape(polygon.get());
  must(feature->Store() == com::S_OK, "Store");
}

Bench make_bench() {
  Bench b;
  b.folder = fs::path(CORVANE_BINARY_DIR) / "bench-data" / "polygons";
  fs::remove_all(b.folder);
  fs::create_directories(b.folder);
  for (const char* extension : {".shp", ".shx", ".dbf", ".prj"})
    fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg" /
                      (std::string("roads") + extension),
                  b.folder / (std::string("roads") + extension));
  make_clip_layer(b.folder);
  must(com::register_module(fs::path(AppPath()) / "libtamix.so") == com::S_OK, "engine");
  b.base = create<tamix::NetBase>(tamix::NetBaseProgId);
  b.calc = create<tamix::NetCalc>(tamix::NetCalcProgId);
  b.base->SetNetworkFolder(b.folder.string());
  must(b.base->SetMapUnits(1) == 0 && b.base->SetDistanceUnits(0) == 0, "units");
  must(b.base->CreateNetwork("roads", 0, "") == 0 && b.base->LoadNetwork() == 0, "network");
  must(b.calc->SetNet(b.base->GetIdentifier()) == 0, "SetNet");
  settings::write(NetworkIniFile(b.folder.string()), settings::Info, settings::ShapeFile, "roads");

  testing::SetLoadedNetworkState(b.base, b.calc, b.folder.string());
  auto& state = shared_state();
  state.gZoneCount = 5;
  state.gZoneValues.reallocate(5);
  for (std::int32_t zone = 1; zone <= 5; ++zone)
    state.gZoneValues[zone] = static_cast<float>(zone);
  state.gZoneMax = 5;
  state.gDoughnut = true;
  state.gAllowOverlap = 1;

  b.application = com::make<host::Application>();
  auto& map = b.application->document().map();
  map.SetDistanceUnits(host::Kilometers);
  add_layer(map, "clip");
  add_layer(map, "roads");
  state.gDocument = com::ComPtr<host::HostDocument>(&b.application->document());

  b.person = com::make<forms::testing::ScriptedUser>();
  forms::set_user(b.person);
  b.single_centre = com::make<IsoPoly>();
  must(b.single_centre->OnCreate(b.application.get()) == com::S_OK, "OnCreate");
  b.nearest_centre = com::make<IsoPoly3>();
  must(b.nearest_centre->OnCreate(b.application.get()) == com::S_OK, "OnCreate");
  return b;
}

Bench& bench() {
  static Bench b = make_bench();
  return b;
}

template <class Tool> void click(Bench& b, Tool& tool, double x, double y, long shift = 0) {
  const auto transformation =
      b.application->document().ActiveView()->ScreenDisplay()->DisplayTransformation();
  const auto at = create<host::HostPoint>(host::PointClass);
  at->PutCoords(x, y);
  int px = 0;
  int py = 0;
  must(transformation->FromMapPoint(at.get(), &px, &py) == com::S_OK, "FromMapPoint");
  must(tool.OnMouseDown(1, shift, px, py) == com::S_OK, "OnMouseDown");
}

std::int32_t zone_count(Bench& b) {
  com::ComPtr<host::HostFeatureClass> zones;
  must(workspace(b.folder)->OpenFeatureClass("IsoPoly", &zones) == com::S_OK, "IsoPoly written");
  std::int32_t count = 0;
  zones->FeatureCount(nullptr, &count);
  return count;
}

void BM_SingleCentreClick(benchmark::State& state) {
  auto& b = bench();
  shared_state().gClipMode = state.range(0) != 0 ? 1 : 0;
  shared_state().gClipLayerName = "clip";
  for (auto _ : state)
    click(b, *b.single_centre, centre_x, centre_y);
  state.counters["zones"] = zone_count(b);
  must(b.person->messages.empty(), "a click without messages");
}
BENCHMARK(BM_SingleCentreClick)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("clipped")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_NearestCentres(benchmark::State& state) {
  auto& b = bench();
  shared_state().gClipMode = 0;
  constexpr int centres = 20;
  for (auto _ : state)
    for (int i = 0; i < centres; ++i) // 5 x 4 centres 2 km apart
      click(b, *b.nearest_centre, centre_x - 4000 + 2000 * (i % 5), centre_y - 3000 + 2000 * (i / 5),
            i == 0 ? 0 : i == centres - 1 ? 1 : 2);
  state.counters["zones"] = zone_count(b);
  must(b.person->messages.empty(), "clicks without messages");
}
BENCHMARK(BM_NearestCentres)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace corvane::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(std::filesystem::path(CORVANE_BINARY_DIR) / "bench-data" /
                              "polygons");
  return 0;
}
