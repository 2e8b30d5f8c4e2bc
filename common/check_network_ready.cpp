#include "common/check_network_ready.h"

#include <chrono>
#include <string>

#include "common/clip_layer.h"
#include "common/description_field_check.h"
#include "common/layer_lookup.h"
#include "common/show_message.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

bool refuse(std::string_view text, std::string_view title, forms::Icon icon) {
  show_message(text, title, icon);
  return true;
}

std::chrono::sys_seconds modified(const win::FileSystemObject& files, const std::string& path) {
  const auto file = files.GetFile(path);
  if (!file)
    throw HandlerEnd("no file " + path);
  return file->DateLastModified();
}

bool refuse_in_edit_session() {
  return shared_state().gEditSessionActive &&
         refuse("Session in edit mode", "Edit Mode", forms::Icon::Information);
}

bool refuse_without_settings_file() {
  return !win::FileSystemObject().FileExists(NetworkIniFile(shared_state().gNetworkFolder)) &&
         refuse("One of the required file are missing\nClose network and create again", "Missing",
                forms::Icon::Critical);
}

bool refuse_without_network_layer(host::HostMap* map, forms::Icon icon) {
  return FindLayerIndex(map, shared_state().gNetworkLayerName, "L") == NoLayer &&
         refuse("Network layer not found", "Layer Not Found", icon);
}

bool refuse_modified_network_layer() {
  const auto& state = shared_state();
  return network_layer_newer_than_settings(state.gNetworkFolder, state.gNetworkLayerName) &&
         refuse("Network layer has been modified. Re-Create the network again ", "Layer modified",
                forms::Icon::None);
}

} // namespace

bool refuse_without_zones() {
  return shared_state().gZoneMax == 0 && refuse("Create zones", "Error", forms::Icon::Exclamation);
}

bool network_layer_newer_than_settings(std::string_view folder, std::string_view layer_name) {
  const win::FileSystemObject files;
  const auto shapefile = modified(files, win::join_path(folder, std::string(layer_name) + ".shp"));
  const auto settings = modified(files, NetworkIniFile(folder));
  return shapefile > settings + std::chrono::minutes(1);
}

bool CheckLeadingTests(LeadingTests tests) {
  if (refuse_in_edit_session())
    return false;
  return tests == LeadingTests::EditSession || !refuse_without_settings_file();
}

bool CheckNetworkReady(host::HostMap* map, const PreCheckVariant& variant) {
  if (refuse_in_edit_session() || refuse_without_settings_file())
    return false;
  if (variant.modified_before_layer)
    return !refuse_modified_network_layer() && !(map && refuse_without_network_layer(map, variant.layer_not_found_icon));
  if (map && refuse_without_network_layer(map, variant.layer_not_found_icon))
    return false;
  if (map && !variant.description_field_title.empty())
    drop_missing_description_field(map, variant.description_field_title);
  if (map && !variant.clip_layer_title.empty())
    DropMissingClipLayer(map, variant.clip_layer_title);
  return !refuse_modified_network_layer() && !(variant.zone_test && refuse_without_zones());
}

} // namespace corvane
