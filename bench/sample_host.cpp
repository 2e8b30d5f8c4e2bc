#include "sample_host.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "com/create.h"
#include "com/registration.h"
#include "command/app_path.h"
#include "common/result_field.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "support/loaded_network_state.h"

namespace corvane::bench {

namespace fs = std::filesystem;

namespace {

// The engine over the network of `folder`, built first where `build`, and the host over it.
SampleHost open_host(const fs::path& folder, bool build, bool result_field) {
  SampleHost b;
  b.folder = folder;
  must(com::register_module(fs::path(AppPath()) / "libtamix.so") == com::S_OK, "engine");
  b.base = create<tamix::NetBase>(tamix::NetBaseProgId);
  b.calc = create<tamix::NetCalc>(tamix::NetCalcProgId);
  b.base->SetNetworkFolder(b.folder.string());
  must(b.base->SetMapUnits(1) == 0 && b.base->SetDistanceUnits(0) == 0, "units");
  must(!build || b.base->CreateNetwork("roads", 0, "") == 0, "CreateNetwork");
  must(b.base->LoadNetwork() == 0, "LoadNetwork");
  must(b.calc->SetNet(b.base->GetIdentifier()) == 0, "SetNet");
  if (result_field)
    must(EnsureResultField(open_class(b.folder, "roads").get()), "result field");
  // Written after the shapefile, as the network building does, so the commands' pre-check passes.
  settings::write(NetworkIniFile(b.folder.string()), settings::Info, settings::ShapeFile, "roads");

  testing::SetLoadedNetworkState(b.base, b.calc, b.folder.string());

  b.application = com::make<host::Application>();
  b.application->document().map().SetDistanceUnits(host::Kilometers);
  shared_state().gDocument = com::ComPtr<host::HostDocument>(&b.application->document());
  b.person = com::make<forms::testing::ScriptedUser>();
  forms::set_user(b.person);
  return b;
}

} // namespace

fs::path bench_data(const std::string& folder_name) {
  return fs::path(CORVANE_BINARY_DIR) / "bench-data" / folder_name;
}

void must(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "benchmark: %s failed\n", what.c_str());
    std::exit(1);
  }
}

com::ComPtr<host::HostFeatureWorkspace> workspace(const fs::path& folder) {
  const auto factory = create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> opened;
  must(factory->OpenFromFile(folder.string(), 0, &opened) == com::S_OK, "OpenFromFile");
  return opened.as<host::HostFeatureWorkspace>();
}

com::ComPtr<host::HostFeatureClass> open_class(const fs::path& folder, const std::string& name) {
  com::ComPtr<host::HostFeatureClass> features;
  must(workspace(folder)->OpenFeatureClass(name, &features) == com::S_OK, "open " + name);
  return features;
}

void add_layer(host::HostMap& map, const fs::path& folder, const std::string& name) {
  const auto layer = create<host::HostFeatureLayer>(host::FeatureLayerClass);
  layer->SetFeatureClass(open_class(folder, name).get());
  layer->SetName(name);
  must(map.AddLayer(layer.get()) == com::S_OK, "AddLayer " + name);
}

SampleHost open_sample_host(const std::string& folder_name,
                            std::initializer_list<const char*> more) {
  const fs::path folder = bench_data(folder_name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::vector<std::string> names{"roads"};
  names.insert(names.end(), more.begin(), more.end());
  for (const auto& name : names)
    for (const char* extension : {".shp", ".shx", ".dbf", ".prj"})
      fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg" / (name + extension),
                    folder / (name + extension));
  return open_host(folder, true, false);
}

SampleHost open_network_host(const fs::path& folder, bool result_field) {
  return open_host(folder, false, result_field);
}

void SetZoneRings(int count, float largest, float from) {
  auto& state = shared_state();
  state.gZoneCount = count;
  state.gZoneValues.reallocate(count);
  for (std::int32_t zone = 1; zone <= count; ++zone)
    state.gZoneValues[zone] =
        from + (largest - from) * static_cast<float>(zone) / static_cast<float>(count);
  state.gZoneMax = largest;
  state.gDoughnut = true;
}

int run_benchmarks_then_remove(int argc, char** argv, const std::string& folder_name) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!std::getenv("CORVANE_BENCH_KEEP_DATA"))
    fs::remove_all(bench_data(folder_name));
  return 0;
}

} // namespace corvane::bench
