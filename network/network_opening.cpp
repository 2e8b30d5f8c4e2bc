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
#include "common/unit_code.h"
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
#include "network/stored_count.h"
#include "network/zone_settings.h"
#include "tamix/net_calc.h"
#include "win/file_system_object.h"
#include "win/num_text.h"
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

// RebuildKeepingRestrictions: the network files must be made anew only because the stored
// shapefile path is another (the folder was moved or renamed), while everything else says that
// the layer is the one they were built from; its closures and temporary speeds still hold.
enum class Decision { Load, Rebuild, RebuildKeepingRestrictions, Stop };

// The facts of the layer against its settings that decide a rebuild, each tested alone.
struct LayerFacts {
  const std::string& ini;
  host::HostFeatureClass& features;

  // [INFO] "SHAPE FILE" names this shapefile. It is read whole, however long: a path cut to
  // the 254 characters of a usual read would differ on every opening and force a rebuild.
  bool named() const {
    const auto& state = shared_state();
    const auto shapefile = win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".shp");
    return settings::read_unbounded(ini, settings::Info, settings::ShapeFile)
               .substr(0, shapefile.size()) == shapefile;
  }
  bool saved_after_settings() const {
    const auto& state = shared_state();
    return network_layer_newer_than_settings(state.gNetworkFolder, state.gNetworkLayerName);
  }
  bool missing_attribute_file() const {
    return settings::read_number(ini, settings::Info, settings::AttributeFlag) == 0 &&
           !win::FileSystemObject().FileExists(
               win::join_path(shared_state().gNetworkFolder, "attribute.bin"));
  }
  bool units_match() const {
    return settings::read_number(ini, settings::Info, settings::EsriMapUnits) ==
           layer_coordinate_unit(&features).epsg_code;
  }
  bool record_count_matches() const {
    std::int32_t feature_count = 0;
    check_call(features.FeatureCount(nullptr, &feature_count), "FeatureClass.FeatureCount");
    return settings::read_number(ini, settings::Info, settings::RecordNo) == feature_count;
  }
};

// [INFO] "OCXMAPUNITS" to the engine. The value follows from the layer's unit, which the units
// test has just found to be the stored one: a value that is missing, no number or refused by
// the engine is replaced by the one a build writes, and the user told. False when the layer's
// unit has no engine map units either (a rebuild then tells the user why).
bool apply_map_units(tamix::NetBase& tantest, const std::string& ini,
                     host::HostFeatureClass& features) {
  auto& state = shared_state();
  const auto stored = com::parse_number(settings::read(ini, settings::Info, settings::OcxMapUnits));
  const auto code = stored ? com::to_int32(*stored) : std::nullopt;
  if (code && (state.gCallResult = tantest.SetMapUnits(*code)) == 0)
    return true;
  const auto engine_unit = UnitCodeFromEpsg(layer_coordinate_unit(&features).epsg_code);
  if (engine_unit == 0)
    return false;
  const auto map_units = EngineMapUnits(engine_unit);
  WarnAboutSettings(ini, settings::Info, settings::OcxMapUnits,
                    "is missing or names no map unit; the unit of the layer is used.");
  settings::write(ini, settings::Info, settings::OcxMapUnits, win::NumText(map_units));
  return (state.gCallResult = tantest.SetMapUnits(map_units)) == 0;
}

// Steps of the load-or-rebuild decision, in their order; the units question may stop the run,
// and so may distance units the network cannot be used with.
Decision decide(tamix::NetBase& tantest, host::HostFeatureLayer& layer,
                host::HostFeatureClass& features) {
  auto& state = shared_state();
  const win::FileSystemObject files;
  const auto& folder = state.gNetworkFolder;
  const auto ini = NetworkIniFile(folder);
  const LayerFacts facts{ini, features};

  for (const std::string_view name :
       {NetworkIniFileName, std::string_view("link.bin"), std::string_view("dist.bin"),
        std::string_view("coord.bin"), std::string_view("node.bin"), SpeedClassFileName})
    if (!files.FileExists(win::join_path(folder, name)))
      return Decision::Rebuild;

  if (!facts.named())
    return !facts.saved_after_settings() && !facts.missing_attribute_file() &&
                   facts.units_match() && facts.record_count_matches()
               ? Decision::RebuildKeepingRestrictions
               : Decision::Rebuild;
  if (facts.saved_after_settings() || facts.missing_attribute_file())
    return Decision::Rebuild;

  if (!facts.units_match()) {
    const auto answer =
        show_message("Current " + layer.Name() +
                         " units do not match with the Network's units. Create "
                         "the new network?",
                     "Dataset Units Mismatch", forms::Icon::None, forms::Buttons::YesNo);
    return answer == forms::Answer::Yes ? Decision::Rebuild : Decision::Stop;
  }

  if (!apply_map_units(tantest, ini, features))
    return Decision::Rebuild;
  const auto units = settings::read_distance_units(ini);
  if (!units) {
    // Without them every distance and speed would be shown and sent in no unit at all.
    WarnAboutSettings(ini, settings::Info, settings::OcxDistUnits,
                      "holds \"" + settings::read(ini, settings::Info, settings::OcxDistUnits) +
                          "\", which is neither Kilometers nor Miles; the network is not loaded.");
    return Decision::Stop;
  }
  state.gDistUnits = *units;
  state.gCallResult = tantest.SetDistanceUnits(*units == settings::Kilometers ? 0 : 1);

  if (!EnsureResultField(&features))
    return Decision::Stop;
  return facts.record_count_matches() ? Decision::Load : Decision::Rebuild;
}

// A category whose class value does not fit the engine's 16 bits is left out with a word to the
// user rather than sent as some other class.
void read_road_classes() {
  auto& state = shared_state();
  const auto speed_file = SpeedClassFile(state.gNetworkFolder);
  const auto categories = EntriesToRead(
      speed_file, settings::SpeedValues, settings::TotalCategories,
      settings::read_number(speed_file, settings::SpeedValues, settings::TotalCategories),
      state.gRoadClassSpeeds.upper() + 1);
  auto& list = gFrmSetSpeedForm().List1;
  list.Clear();
  state.gRoadClassCount = 0;
  for (std::int32_t category = 1; category <= categories; ++category) {
    const auto road_class = settings::read_road_class(speed_file, category);
    if (!road_class) {
      WarnAboutSettings(speed_file, settings::SpeedValues, settings::category_key(category),
                        "is no road class; it is ignored.");
      continue;
    }
    state.gRoadClassSpeeds[state.gRoadClassCount++] = *road_class;
    list.AddItem(road_class->Alias);
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
// as a whole number within the rows of its table; the rows to read are 1 .. that count.
template <class Row>
std::int32_t stored_link_rows(const std::string& ini, std::string_view section,
                              const BoundedTable<Row>& table, std::int32_t& count) {
  count = EntriesToRead(ini, section, settings::Total,
                        settings::read_number(ini, section, settings::Total), table.upper());
  return count;
}

// A dropped row reads as link 0, which no calculation sends to the engine.
void read_temp_speeds(host::HostMap& map, host::HostFeatureClass& features) {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  const auto rows =
      stored_link_rows(ini, settings::TemporarySpeeds, state.gTempSpeeds, state.gTempSpeedCount);
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
  const auto rows =
      stored_link_rows(ini, settings::ClosedRoads, state.gClosedLinks, state.gClosedLinkCount);
  for (std::int32_t row = 1; row <= rows; ++row) {
    const auto link = settings::read_closed_link(ini, row);
    state.gClosedLinks[row] =
        mark_stored_link(map, features, link, ClosedRoadMarkerRatio, MarkerClosedRoad) ? *link : 0;
  }
}

// A rebuild writes a fresh "Corvane.ini"; the closures and temporary speeds of the old one are
// written into it again and read back as an opening reads them, markers and all.
void rebuild_keeping_restrictions(const com::ComPtr<tamix::NetBase>& tantest,
                                  host::HostFeatureLayer& layer, host::HostMap& map) {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  std::int32_t count = 0;
  std::vector<std::int32_t> closed;
  const auto closed_rows = stored_link_rows(ini, settings::ClosedRoads, state.gClosedLinks, count);
  for (std::int32_t row = 1; row <= closed_rows; ++row)
    if (const auto link = settings::read_closed_link(ini, row))
      closed.push_back(*link);
  std::vector<TempSpeedRow> speeds;
  const auto speed_rows =
      stored_link_rows(ini, settings::TemporarySpeeds, state.gTempSpeeds, count);
  for (std::int32_t row = 1; row <= speed_rows; ++row)
    speeds.push_back(settings::read_temp_speed(ini, row));

  if (!NetworkCreate(tantest, &layer, &map))
    return;
  const auto total = [](std::size_t n) { return win::NumText(static_cast<std::int32_t>(n)); };
  settings::write(ini, settings::ClosedRoads, settings::Total, total(closed.size()));
  for (std::size_t i = 0; i < closed.size(); ++i)
    settings::write_closed_link(ini, static_cast<std::int32_t>(i + 1), closed[i]);
  settings::write(ini, settings::TemporarySpeeds, settings::Total, total(speeds.size()));
  for (std::size_t i = 0; i < speeds.size(); ++i)
    settings::write_temp_speed(ini, static_cast<std::int32_t>(i + 1), speeds[i]);
  const auto features = require(layer.FeatureClass(), "FeatureLayer.FeatureClass");
  read_temp_speeds(map, *features);
  read_closed_links(map, *features);
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(&map), "Map as ActiveView")
      ->Refresh();
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
    try {
      NetworkCreate(tantest, layer.get(), map.get());
    } catch (const HostCallFailed&) {
      // The host refused the layer's files (damaged since the layer was added): say which,
      // rather than end with a bare code. The build writes nothing before its reads.
      show_message("The files of the network layer " +
                       win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".shp") +
                       " could not be read: they are damaged or cannot be opened.",
                   "Error", forms::Icon::Critical);
    }
    return;
  case Decision::RebuildKeepingRestrictions:
    return rebuild_keeping_restrictions(tantest, *layer, *map);
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
