#include "common/network_workspace.h"

#include <string>

#include "common/handler_end.h"
#include "network/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

com::ComPtr<host::HostFeatureWorkspace> OpenNetworkWorkspace() {
  const auto factory = create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  check_call(factory->OpenFromFile(shared_state().gNetworkFolder, 0, &workspace), "OpenFromFile");
  return require_as<host::HostFeatureWorkspace>(require(workspace, "OpenFromFile"), "workspace");
}

com::ComPtr<host::HostFeatureClass> open_feature_class(host::HostFeatureWorkspace* workspace,
                                                       std::string_view name) {
  com::ComPtr<host::HostFeatureClass> features;
  check_call(workspace->OpenFeatureClass(std::string(name), &features), "OpenFeatureClass");
  return require(features, "OpenFeatureClass");
}

com::ComPtr<host::HostFeatureLayer> LayerOver(const com::ComPtr<host::HostFeatureClass>& features) {
  const auto layer = create<host::HostFeatureLayer>(host::FeatureLayerClass);
  layer->SetFeatureClass(features.get());
  layer->SetName(features->AliasName());
  return layer;
}

com::ComPtr<host::HostFeatureLayer>
ShowFeatureClass(host::HostMap* map, const com::ComPtr<host::HostFeatureClass>& features) {
  const auto layer = LayerOver(features);
  check_call(map->AddLayer(layer.get()), "Map.AddLayer");
  return layer;
}

void DeleteNetworkShapefile(std::string_view name) {
  const auto& folder = shared_state().gNetworkFolder;
  if (!win::FileSystemObject().FileExists(win::join_path(folder, std::string(name) + ".shp")))
    return;
  com::ComPtr<host::HostFeatureClass> features;
  if (com::FAILED(OpenNetworkWorkspace()->OpenFeatureClass(std::string(name), &features)) ||
      !features)
    return;
  check_call(require_as<host::HostDataset>(features, "dataset")->Delete(), "Delete");
}

} // namespace corvane
