// The polygon isochrone tools end to end on the sample network (18,576 links), with the real host
// and engine: one click of the single-centre tool with five zones (1 .. 5 km), unclipped and cut
// to one polygon over half the zones, and with up to 2000 zones; every step of the click is in the
// figure (old output removed, engine set-up, the engine's zones, the copy or the cut, the renderer,
// the stamp).
//
//   build-xxx/bin/bench_polygon_tools --benchmark_counters_tabular=true

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "com/create.h"
#include "host/geometry.h"
#include "host/layer.h"
#include "host/row.h"
#include "host/workspace.h"
#include "isochrones/iso_poly.h"
#include "isochrones/iso_poly3.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "sample_host.h"

namespace corvane::bench {
namespace {

namespace fs = std::filesystem;

// A central place of the sample, and the clip polygon east of it.
constexpr double centre_x = 676946.903;
constexpr double centre_y = 6399656.666;
constexpr const char* folder_name = "polygons";

struct Bench {
  SampleHost sample;
  com::ComPtr<IsoPoly> single_centre;
  com::ComPtr<IsoPoly3> nearest_centre;
};

// "Clip": one polygon over the half of the zones east of the centre, with the roads' ".prj".
void make_clip_layer(const fs::path& folder) {
  const auto roads = open_class(folder, "roads");
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
  Bench b{.sample = open_sample_host(folder_name), .single_centre = {}, .nearest_centre = {}};
  make_clip_layer(b.sample.folder);
  SetZoneRings(5);
  shared_state().gAllowOverlap = Overlap::None;

  auto& map = b.sample.application->document().map();
  add_layer(map, b.sample.folder, "clip");
  add_layer(map, b.sample.folder, "roads");
  b.single_centre = com::make<IsoPoly>();
  must(b.single_centre->OnCreate(b.sample.application.get()) == com::S_OK, "OnCreate");
  b.nearest_centre = com::make<IsoPoly3>();
  must(b.nearest_centre->OnCreate(b.sample.application.get()) == com::S_OK, "OnCreate");
  return b;
}

Bench& bench() {
  static Bench b = make_bench();
  return b;
}

template <class Tool> void click(Bench& b, Tool& tool, double x, double y, long shift = 0) {
  const auto transformation =
      b.sample.application->document().ActiveView()->ScreenDisplay()->DisplayTransformation();
  const auto at = create<host::HostPoint>(host::PointClass);
  at->PutCoords(x, y);
  int px = 0;
  int py = 0;
  must(transformation->FromMapPoint(at.get(), &px, &py) == com::S_OK, "FromMapPoint");
  must(tool.OnMouseDown(1, shift, px, py) == com::S_OK, "OnMouseDown");
}

std::int32_t zone_count(Bench& b) {
  com::ComPtr<host::HostFeatureClass> zones;
  must(workspace(b.sample.folder)->OpenFeatureClass("IsoPoly", &zones) == com::S_OK, "IsoPoly written");
  std::int32_t count = 0;
  zones->FeatureCount(nullptr, &count);
  return count;
}

void BM_SingleCentreClick(benchmark::State& state) {
  auto& b = bench();
  shared_state().gClipMode = state.range(0) != 0 ? ClipMode::ToLayer : ClipMode::Off;
  shared_state().gClipLayerName = "clip";
  for (auto _ : state)
    click(b, *b.single_centre, centre_x, centre_y);
  state.counters["zones"] = zone_count(b);
  must(b.sample.person->messages.empty(), "a click without messages");
}
BENCHMARK(BM_SingleCentreClick)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("clipped")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// One unclipped click with many zones in equal steps up to 5 or 20 km (which reaches the whole
// sample), as rings and as nested zones; and the heaviest list of a count: every zone nested and
// all of the whole sample (20 km and a metre more for each further zone), unclipped and cut to
// the clip polygon.
void click_with_zones(benchmark::State& state, int count, bool rings, float largest, float from,
                      bool clipped = false) {
  auto& b = bench();
  shared_state().gClipMode = clipped ? ClipMode::ToLayer : ClipMode::Off;
  shared_state().gClipLayerName = "clip";
  SetZoneRings(count, largest, from);
  shared_state().gDoughnut = rings;
  for (auto _ : state)
    click(b, *b.single_centre, centre_x, centre_y);
  state.counters["zones"] = zone_count(b);
  SetZoneRings(5);
  must(b.sample.person->messages.empty(), "a click without messages");
}

void BM_SingleCentreClickManyZones(benchmark::State& state) {
  click_with_zones(state, int(state.range(0)), state.range(1) != 0, float(state.range(2)), 0);
}
BENCHMARK(BM_SingleCentreClickManyZones)
    ->ArgsProduct({{100, 1000, 2000}, {1, 0}, {5000, 20000}})
    ->ArgNames({"zones", "rings", "m"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_SingleCentreClickWholeZones(benchmark::State& state) {
  const auto count = int(state.range(0));
  click_with_zones(state, count, false, 20000.0F + float(count), 20000, state.range(1) != 0);
}
BENCHMARK(BM_SingleCentreClickWholeZones)
    ->ArgsProduct({{100, 500, 1000, 2000}, {0, 1}})
    ->ArgNames({"zones", "clipped"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

void BM_NearestCentres(benchmark::State& state) {
  auto& b = bench();
  shared_state().gClipMode = ClipMode::Off;
  constexpr int centres = 20;
  for (auto _ : state)
    for (int i = 0; i < centres; ++i) // 5 x 4 centres 2 km apart
      click(b, *b.nearest_centre, centre_x - 4000 + 2000 * (i % 5), centre_y - 3000 + 2000 * (i / 5),
            i == 0 ? 0 : i == centres - 1 ? 1 : 2);
  state.counters["zones"] = zone_count(b);
  must(b.sample.person->messages.empty(), "clicks without messages");
}
BENCHMARK(BM_NearestCentres)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace corvane::bench

int main(int argc, char** argv) {
  return corvane::bench::run_benchmarks_then_remove(argc, argv, corvane::bench::folder_name);
}
