#include "common/network_projection.h"

#include <string>

#include "common/output_sets.h"
#include "common/show_message.h"
#include "host/spatial_reference.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

std::string network_prj() {
  const auto& state = shared_state();
  return win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".prj");
}

} // namespace

bool NetworkProjectionPresent() {
  if (win::FileSystemObject().FileExists(network_prj()))
    return true;
  show_message("The chosen polyline layer is missing projection information. Please use "
               "ArcCatalog to add this.",
               "PRJ", forms::Icon::Critical);
  return false;
}

bool CopyNetworkProjection(std::initializer_list<std::string_view> names) {
  // Each name is about to get its output: a set of the user's under it must keep its files.
  for (const auto name : names)
    RequireOwnOrNoSet(name);
  if (!NetworkProjectionPresent())
    return false;
  const auto& state = shared_state();
  const auto projection = create<host::HostProjectionFile>(host::ProjectionFileClass);
  check_call(projection->Read(network_prj()), "ProjectionFile.Read");
  for (const auto name : names)
    check_call(projection->Write(win::join_path(state.gNetworkFolder, std::string(name) + ".prj")),
               "ProjectionFile.Write");
  return true;
}

} // namespace corvane
