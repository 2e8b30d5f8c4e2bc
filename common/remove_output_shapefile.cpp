#include "common/remove_output_shapefile.h"

#include <string>

#include "common/handler_end.h"
#include "common/remove_from_map.h"
#include "host/workspace.h"
#include "network/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

void RemoveOutputShapefile(host::HostMap* map, host::HostActiveView* view, std::string_view name) {
  remove_layers(map, name, "L");
  view->Refresh();
  const auto& folder = shared_state().gNetworkFolder;
  if (!win::FileSystemObject().FileExists(win::join_path(folder, std::string(name) + ".shp")))
    return;
  const auto factory = create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  com::ComPtr<host::HostWorkspace> workspace;
  check_call(factory->OpenFromFile(folder, 0, &workspace), "OpenFromFile");
  const auto features_workspace =
      require_as<host::HostFeatureWorkspace>(require(workspace, "OpenFromFile"), "workspace");
  com::ComPtr<host::HostFeatureClass> features;
  if (com::FAILED(features_workspace->OpenFeatureClass(std::string(name), &features)) || !features)
    return;
  check_call(require_as<host::HostDataset>(features, "dataset")->Delete(), "Delete");
}

} // namespace corvane
