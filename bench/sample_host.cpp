#include "sample_host.h"

#include <cstdio>
#include <cstdlib>

#include "com/create.h"
#include "com/registration.h"
#include "common/app_path.h"
#include "common/handler_end.h"
#include "host/layer.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "support/loaded_network_state.h"

namespace corvane::bench {

namespace fs = std::filesystem;

namespace {

fs::path bench_data(const std::string& folder_name) {
  return fs::path(CORVANE_BINARY_DIR) / "bench-data" / folder_name;
}

} // namespace

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

SampleHost open_sample_host(const std::string& folder_name) {
  SampleHost b;
  b.folder = bench_data(folder_name);
  fs::remove_all(b.folder);
  fs::create_directories(b.folder);
  for (const char* extension : {".shp", ".shx", ".dbf", ".prj"})
    fs::copy_file(fs::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg" /
                      (std::string("roads") + extension),
                  b.folder / (std::string("roads") + extension));
  must(com::register_module(fs::path(AppPath()) / "libtamix.so") == com::S_OK, "engine");
  b.base = create<tamix::NetBase>(tamix::NetBaseProgId);
  b.calc = create<tamix::NetCalc>(tamix::NetCalcProgId);
  b.base->SetNetworkFolder(b.folder.string());
  must(b.base->SetMapUnits(1) == 0 && b.base->SetDistanceUnits(0) == 0, "units");
  must(b.base->CreateNetwork("roads", 0, "") == 0 && b.base->LoadNetwork() == 0, "network");
  must(b.calc->SetNet(b.base->GetIdentifier()) == 0, "SetNet");
  settings::write(NetworkIniFile(b.folder.string()), settings::Info, settings::ShapeFile, "roads");

  testing::SetLoadedNetworkState(b.base, b.calc, b.folder.string());

  b.application = com::make<host::Application>();
  b.application->document().map().SetDistanceUnits(host::Kilometers);
  shared_state().gDocument = com::ComPtr<host::HostDocument>(&b.application->document());
  b.person = com::make<forms::testing::ScriptedUser>();
  forms::set_user(b.person);
  return b;
}

void SetFiveZoneRings() {
  auto& state = shared_state();
  state.gZoneCount = 5;
  state.gZoneValues.reallocate(5);
  for (std::int32_t zone = 1; zone <= 5; ++zone)
    state.gZoneValues[zone] = static_cast<float>(zone);
  state.gZoneMax = 5;
  state.gDoughnut = true;
}

void remove_sample_folder(const std::string& folder_name) {
  fs::remove_all(bench_data(folder_name));
}

} // namespace corvane::bench
