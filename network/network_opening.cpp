#include "network/network_opening.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "com/numbers.h"
#include "common/check_network_ready.h"
#include "common/engine_error_text.h"
#include "common/handler_end.h"
#include "common/layer_source.h"
#include "common/mark_link_midpoint.h"
#include "common/marker_graphic.h"
#include "common/show_message.h"
#include "dialogs/network/frm_set_speed.h"
#include "dialogs/network/polylines.h"
#include "host/active_view.h"
#include "host/layer.h"
#include "network/layer_unit.h"
#include "network/network_building.h"
#include "network/network_loading.h"
#include "network/result_field.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network/zone_settings.h"
#include "tamix/net_calc.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

// Deleted at every opening; nothing of the add-in writes it.
constexpr std::string_view ErrorLogFile = "C:\\CVErrors.txt";

// The add-in's own output layers are never offered as network layers.
constexpr std::array<std::string_view, 6> output_classes{
    "CulDeSac", "BatchIsochrone", "BatchRoute", "ViewRoute", "BatchTSP", "Route"};

// Fills gCandidateLayers and the layer dialog's list with the polyline shapefile layers of the
// map that are no output of the add-in. False when there is none.
bool list_candidate_layers(host::HostMap& map) {
  auto& state = shared_state();
  auto& list = gPolylinesForm().Combo1;
  list.Clear();
  std::int32_t k = 0;
  for (int position = 0; position < map.LayerCount(); ++position) {
    const auto layer = require(map.Layer(position), "Map.Layer").as<host::HostFeatureLayer>();
    if (!layer || !is_shapefile(layer->DataSourceType()))
      continue;
    const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
    if (features->ShapeType() != host::geometry_polyline)
      continue;
    const auto name = features->AliasName();
    if (std::find(output_classes.begin(), output_classes.end(), name) != output_classes.end() ||
        layer->Name() == "IsoLink")
      continue;
    list.AddItem(layer->Name());
    state.gCandidateLayers[k] = {name, workspace_folder(features), position};
    ++k;
  }
  return k > 0;
}

enum class Decision { Load, Rebuild, Stop };

// Steps of the load-or-rebuild decision, in their order; the units question may stop the run.
Decision decide(tamix::NetBase& tantest, host::HostFeatureLayer& layer,
                host::HostFeatureClass& features) {
  auto& state = shared_state();
  const win::FileSystemObject files;
  const auto& folder = state.gNetworkFolder;
  const auto ini = NetworkIniFile(folder);

  for (const std::string_view name :
       {NetworkIniFileName, std::string_view("link.bin"), std::string_view("dist.bin"),
        std::string_view("coord.bin"), std::string_view("node.bin"), SpeedClassFileName})
    if (!files.FileExists(win::join_path(folder, name)))
      return Decision::Rebuild;

  const auto shapefile = win::join_path(folder, state.gNetworkLayerName + ".shp");
  if (settings::read(ini, settings::Info, settings::ShapeFile).substr(0, shapefile.size()) !=
      shapefile)
    return Decision::Rebuild;

  if (network_layer_newer_than_settings(folder, state.gNetworkLayerName))
    return Decision::Rebuild;

  if (settings::read_number(ini, settings::Info, settings::AttributeFlag) == 0 &&
      !files.FileExists(win::join_path(folder, "attribute.bin")))
    return Decision::Rebuild;

  if (settings::read_number(ini, settings::Info, settings::EsriMapUnits) !=
      layer_coordinate_unit(&features).epsg_code) {
    const auto answer =
        show_message("Current " + layer.Name() +
                         " units do not match with the Network's units. Create "
                         "the new network?",
                     "Dataset Units Mismatch", forms::Icon::None, forms::Buttons::YesNo);
    return answer == forms::Answer::Yes ? Decision::Rebuild : Decision::Stop;
  }

  state.gCallResult =
      tantest.SetMapUnits(settings::read_strict_whole(ini, settings::Info, settings::OcxMapUnits));
  if (const auto units = settings::read_distance_units(ini)) {
    state.gDistUnits = *units;
    state.gCallResult = tantest.SetDistanceUnits(*units == settings::Kilometers ? 0 : 1);
  }

  if (!EnsureResultField(&features))
    return Decision::Stop;

  std::int32_t feature_count = 0;
  check_call(features.FeatureCount(nullptr, &feature_count), "FeatureClass.FeatureCount");
  if (settings::read_number(ini, settings::Info, settings::RecordNo) != feature_count)
    return Decision::Rebuild;
  return Decision::Load;
}

void read_road_classes() {
  auto& state = shared_state();
  const auto speed_file = SpeedClassFile(state.gNetworkFolder);
  state.gRoadClassCount =
      settings::read_whole(speed_file, settings::SpeedValues, settings::TotalCategories);
  auto& list = gFrmSetSpeedForm().List1;
  list.Clear();
  for (std::int32_t category = 1; category <= state.gRoadClassCount; ++category) {
    auto& row = state.gRoadClassSpeeds[category - 1];
    row = settings::read_road_class(speed_file, category);
    list.AddItem(row.Alias);
  }
}

// Marks a stored link on the map. False when the stored number is no feature of the layer
// (the layer changed since it was stored, or the number is no whole number at all): the caller
// drops the row rather than let it end the opening half-way.
bool mark_stored_link(host::HostMap& map, host::HostFeatureClass& features,
                      std::optional<std::int32_t> link, double ratio, std::string_view kind) {
  return link && MarkLinkMidpoint(&map, &features, *link, ratio, kind);
}

// The stored "Total" of a list of links ([CLOSED ROADS], [TEMPORARY SPEEDS]) goes to `count`
// as a whole number; the rows to read are 1 .. that count, none unless the stored number is
// above 0.
std::int32_t stored_link_rows(const std::string& ini, std::string_view section,
                              std::int32_t& count) {
  count = settings::read_whole(ini, section, settings::Total);
  return settings::read_number(ini, section, settings::Total) > 0 ? count : 0;
}

// A dropped row reads as link 0, which no calculation sends to the engine.
void read_temp_speeds(host::HostMap& map, host::HostFeatureClass& features) {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  const auto rows = stored_link_rows(ini, settings::TemporarySpeeds, state.gTempSpeedCount);
  for (std::int32_t row = 1; row <= rows; ++row) {
    auto& speed = state.gTempSpeeds[row];
    speed = settings::read_temp_speed(ini, row);
    if (!mark_stored_link(map, features, com::to_int32(speed.Link), TempSpeedMarkerRatio,
                          MarkerTempSpeed))
      speed = {};
  }
}

void read_closed_links(host::HostMap& map, host::HostFeatureClass& features) {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  const auto rows = stored_link_rows(ini, settings::ClosedRoads, state.gClosedLinkCount);
  for (std::int32_t row = 1; row <= rows; ++row) {
    const auto link = settings::read_closed_link(ini, row);
    state.gClosedLinks[row] =
        mark_stored_link(map, features, link, ClosedRoadMarkerRatio, MarkerClosedRoad) ? *link : 0;
  }
}

// The settings that only a loaded network gets, and the resets of a new run.
void read_settings_after_load(host::HostMap& map, host::HostFeatureClass& features) {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  read_closed_links(map, features);
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(&map), "Map as ActiveView")
      ->Refresh();
  state.gUseDescField = 0;
  state.gTspMode = settings::read_tsp_mode(ini, state.gTspMode);
  state.gRouteType = RouteShortest;
  state.gNetworkState = NetworkLoaded;
  state.gAllowOverlap = 1;
  state.gClipMode = 0;
  state.gDoughnut = true;
  state.gRouteColorRed = settings::read_colour_component(ini, settings::Red);
  state.gRouteColorGreen = settings::read_colour_component(ini, settings::Green);
  state.gRouteColorBlue = settings::read_colour_component(ini, settings::Blue);
  state.gNetworkResultPresent = false;
}

} // namespace

void OpenNetwork(host::HostDocument* document, const com::ComPtr<tamix::NetBase>& tantest) {
  auto& state = shared_state();
  const win::FileSystemObject files;
  if (files.FileExists(ErrorLogFile))
    files.DeleteFile(ErrorLogFile, true);

  state.gLayerIndex = 0;
  state.gDocument = com::ComPtr<host::HostDocument>(document);
  const auto map = require(document->FocusMap(), "Document.FocusMap");
  const auto view = require_as<host::HostActiveView>(map, "Map as ActiveView");
  if (map->LayerCount() == 0) {
    show_message("At least one feature layer is required ", "No Layers Found",
                 forms::Icon::Exclamation);
    return;
  }

  const bool found = list_candidate_layers(*map);
  view->Refresh();
  if (!found) {
    show_message("No polyline type shape feature class found", "Layers Not Found",
                 forms::Icon::Exclamation);
    return;
  }

  auto& dialog = gPolylinesForm();
  state.gPickedName.clear();
  dialog.SetCaption("Select A Layer");
  dialog.Label1.SetCaption("Select The Network Layer");
  dialog.Combo1.SetText(dialog.Combo1.List(0));
  dialog.Show(forms::ShowMode::Modal);
  if (state.gPickedName.empty())
    return;

  state.gLayerIndex = state.gCandidateLayers[state.gPickedLayerIndex].MapIndex;
  const auto layer = require_as<host::HostFeatureLayer>(
      require(map->Layer(state.gLayerIndex), "Map.Layer"), "Layer as FeatureLayer");
  const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
  state.gNetworkLayerName = features->AliasName();
  state.gNetworkFolder = workspace_folder(features);
  if (!files.FileExists(win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".prj"))) {
    show_message("The chosen polyline layer is missing projection information. Please use "
                 "ArcCatalog to add this.",
                 "PRJ", forms::Icon::Critical);
    return;
  }

  state.gCallResult = require(state.gNetCalc, "gNetCalc")->SetNet(tantest->GetIdentifier());
  tantest->SetNetworkFolder(state.gNetworkFolder);

  switch (decide(*tantest, *layer, *features)) {
  case Decision::Stop:
    return;
  case Decision::Rebuild:
    return NetworkCreate(tantest, layer.get(), map.get());
  case Decision::Load:
    break;
  }

  const auto ini = NetworkIniFile(state.gNetworkFolder);
  state.gAttributeFlag = settings::read_whole(ini, settings::Info, settings::AttributeFlag);
  if (state.gAttributeFlag != 0)
    show_message("This network does not contain attribute field", "Attribute Field",
                 forms::Icon::Exclamation);
  read_road_classes();
  read_temp_speeds(*map, *features);
  read_zone_settings(true);

  RunWithProgressWindow("Loading Network", "Loading Topology Network",
                        [&] { state.gEngineResult = tantest->LoadNetwork(); });
  if (state.gEngineResult != 0) {
    show_message("Network could not be loaded: Error = " + EngineErrorText(state.gEngineResult),
                 "Error", forms::Icon::Critical);
    return;
  }
  state.gNetBase = tantest;
  show_message("Network loaded successfully", "Network Loaded", forms::Icon::Information);

  read_settings_after_load(*map, *features);
}

} // namespace corvane
