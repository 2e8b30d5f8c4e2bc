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
#include "common/network_projection.h"
#include "common/output_sets.h"
#include "common/show_message.h"
#include "common/unit_code.h"
#include "dialogs/network/frm_set_speed.h"
#include "dialogs/network/polylines.h"
#include "host/active_view.h"
#include "host/layer.h"
#include "network/build_mark.h"
#include "network/carried_settings.h"
#include "network/layer_unit.h"
#include "network/network_building.h"
#include "network/network_loading.h"
#include "network/result_field.h"
#include "network/settings_files.h"
#include "network/shared_state.h"
#include "network/stored_count.h"
#include "network/unreadable_settings.h"
#include "network/unwritten_settings.h"
#include "network/zone_settings.h"
#include "tamix/net_calc.h"
#include "win/file_system_object.h"
#include "win/num_text.h"
#include "win/paths.h"
#include "win/profile.h"
#include "win/stale_temporary.h"

namespace corvane {

namespace {

// Deleted at every opening; nothing of the add-in writes it.
constexpr std::string_view ErrorLogFile = "C:\\CVErrors.txt";

// The add-in's own output layers are never offered as network layers.
constexpr std::array<std::string_view, 6> output_classes{CulDeSacOutput,   BatchIsochroneOutput,
                                                         BatchRouteOutput, ViewRouteOutput,
                                                         BatchTspOutput,   RouteOutput};

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
        layer->Name() == IsoLinkOutput)
      continue;
    list.AddItem(layer->Name());
    state.gCandidateLayers[k] = {name, workspace_folder(features), position};
    ++k;
  }
  return k > 0;
}

// The files of a network folder that the system replaces through temporaries: the engine's
// files, the settings files and the copies kept of unreadable ones.
constexpr std::array<std::string_view, 9> replaced_files{
    "link.bin",         "dist.bin",         "coord.bin",       "node.bin",    "attribute.bin",
    NetworkIniFileName, SpeedClassFileName, "Corvane.ini.bak", "link.spd.bak"};

// A killed build or save leaves the temporaries of these files; nobody else would remove them.
void remove_stale_temporaries(const std::string& folder) {
  for (const auto name : replaced_files)
    win::remove_stale_temporary(win::join_path(folder, name));
}

// RebuildKeepingSettings: the network files must be made anew while the layer is the one they
// were built from, so the user's settings in "Corvane.ini" still hold and are carried over: the
// stored shapefile path alone is another (the folder was moved or renamed), or a settings file
// could not be understood.
enum class Decision { Load, Rebuild, RebuildKeepingSettings, Stop };

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
  SettingsWritten(
      settings::write(ini, settings::Info, settings::OcxMapUnits, win::NumText(map_units)), ini);
  return (state.gCallResult = tantest.SetMapUnits(map_units)) == 0;
}

// The decision with what it needs: the settings a rebuild keeps, and the settings files it
// replaces although they could not be understood (the user is told before the build).
struct Outcome {
  Decision decision;
  CarriedSettings carried;
  std::vector<UnreadableFile> unreadable;
};

// Steps of the load-or-rebuild decision, in their order; the units question may stop the run,
// and so may distance units the network cannot be used with.
Decision decide_for_layer(tamix::NetBase& tantest, host::HostFeatureLayer& layer,
                          host::HostFeatureClass& features, bool speed_file_unreadable) {
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

  if (!facts.named() || speed_file_unreadable)
    return !facts.saved_after_settings() && !facts.missing_attribute_file() &&
                   facts.units_match() && facts.record_count_matches()
               ? Decision::RebuildKeepingSettings
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

// The decision, after the settings files are checked as a whole: a "Corvane.ini" that cannot be
// understood says nothing of the network, which is built again with what can still be read of
// it; a "link.spd" that cannot be understood is rebuilt like a missing one; and a build that
// did not finish leaves files and settings that may disagree, so they are never loaded as they
// are.
Outcome decide(tamix::NetBase& tantest, host::HostFeatureLayer& layer,
               host::HostFeatureClass& features) {
  const auto& folder = shared_state().gNetworkFolder;
  const auto ini = NetworkIniFile(folder);
  const auto speed_file = SpeedClassFile(folder);
  Outcome outcome{Decision::Rebuild, {}, {}};
  const win::ProfileSnapshot ini_text(ini);
  const auto ini_reason = UnreadableReason(ini_text, settings::Info);
  const auto speed_reason =
      UnreadableReason(win::ProfileSnapshot(speed_file), settings::SpeedValues);
  if (speed_reason)
    outcome.unreadable.push_back({speed_file, *speed_reason, ""});
  if (ini_reason) {
    // Bytes that are no text hold no setting worth carrying.
    if (!ini_text.binary())
      outcome.carried = ReadCarriedSettings(ini);
    outcome.unreadable.insert(outcome.unreadable.begin(),
                              {ini, *ini_reason, outcome.carried.names()});
    outcome.decision = Decision::RebuildKeepingSettings;
    return outcome;
  }
  outcome.decision = decide_for_layer(tantest, layer, features, speed_reason.has_value());
  if (outcome.decision == Decision::Load && BuildMarkPresent(folder)) {
    show_message("The last build of the network in " + folder +
                     " did not finish: its files and settings may not belong together, so the "
                     "network is built again.",
                 "Network Settings", forms::Icon::Exclamation);
    outcome.decision = Decision::Rebuild;
  }
  if (outcome.decision == Decision::RebuildKeepingSettings)
    outcome.carried = ReadCarriedSettings(ini);
  if (outcome.decision != Decision::Rebuild && outcome.decision != Decision::RebuildKeepingSettings)
    outcome.unreadable.clear();
  return outcome;
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
    std::string unfit_speed_key;
    const auto road_class = settings::read_road_class(speed_file, category, &unfit_speed_key);
    if (!road_class) {
      WarnAboutSettings(speed_file, settings::SpeedValues, settings::category_key(category),
                        "is no road class; it is ignored.");
      continue;
    }
    if (!unfit_speed_key.empty())
      WarnAboutSettings(speed_file, settings::SpeedValues, unfit_speed_key,
                        "is beyond what the field can hold; the class gets 1 mph, the speed of a "
                        "new class.");
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

// A dropped row reads as link 0, which no calculation sends to the engine. A row whose numbers
// no field can hold (a link beyond 32 bits, a speed beyond single precision) is dropped with a
// word to the user.
void read_temp_speeds(host::HostMap& map, host::HostFeatureClass& features) {
  auto& state = shared_state();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  const auto rows =
      stored_link_rows(ini, settings::TemporarySpeeds, state.gTempSpeeds, state.gTempSpeedCount);
  for (std::int32_t row = 1; row <= rows; ++row) {
    auto& speed = state.gTempSpeeds[row];
    speed = settings::read_temp_speed(ini, row);
    const auto link = com::to_int32(speed.Link);
    std::string unfit;
    if (!link)
      unfit = settings::link_row_key(row);
    else if (!com::to_single(speed.SpeedMph))
      unfit = settings::temp_speed_mph_key(row);
    else if (!com::to_single(speed.SpeedKmph))
      unfit = settings::temp_speed_kmph_key(row);
    if (!unfit.empty())
      WarnAboutSettings(ini, settings::TemporarySpeeds, unfit,
                        "is beyond what the field can hold; the temporary speed is left out.");
    if (!unfit.empty() ||
        !mark_stored_link(map, features, link, TempSpeedMarkerRatio, MarkerTempSpeed))
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
    if (!link)
      WarnAboutSettings(ini, settings::ClosedRoads, settings::link_row_key(row),
                        "is beyond what the field can hold; the closure is left out.");
    state.gClosedLinks[row] =
        mark_stored_link(map, features, link, ClosedRoadMarkerRatio, MarkerClosedRoad) ? *link : 0;
  }
}

// A rebuild that keeps the old settings: the build writes them into the new "Corvane.ini", and
// the closures and temporary speeds are read back as an opening reads them, markers and all.
void rebuild(const com::ComPtr<tamix::NetBase>& tantest, host::HostFeatureLayer& layer,
             host::HostMap& map, const Outcome& outcome) {
  if (!outcome.unreadable.empty() && !KeepUnreadableSettings(outcome.unreadable))
    return;
  try {
    if (!NetworkCreate(tantest, &layer, &map, outcome.carried))
      return;
  } catch (const HostCallFailed&) {
    // The host refused the layer's files (damaged since the layer was added): say which,
    // rather than end with a bare code. The build writes nothing before its reads.
    const auto& state = shared_state();
    show_message("The files of the network layer " +
                     win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".shp") +
                     " could not be read: they are damaged or cannot be opened.",
                 "Error", forms::Icon::Critical);
    return;
  }
  if (!outcome.carried.closed_links && !outcome.carried.temp_speeds)
    return;
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
  if (!NetworkProjectionPresent())
    return;

  state.gCallResult = require(state.gNetCalc, "gNetCalc")->SetNet(tantest->GetIdentifier());
  tantest->SetNetworkFolder(state.gNetworkFolder);

  remove_stale_temporaries(state.gNetworkFolder);
  const auto outcome = decide(*tantest, *layer, *features);
  switch (outcome.decision) {
  case Decision::Stop:
    return;
  case Decision::Rebuild:
  case Decision::RebuildKeepingSettings:
    return rebuild(tantest, *layer, *map, outcome);
  case Decision::Load:
    break;
  }

  const auto ini = NetworkIniFile(state.gNetworkFolder);
  const auto flag =
      com::to_int32(settings::read_number(ini, settings::Info, settings::AttributeFlag));
  if (!flag)
    WarnAboutSettings(ini, settings::Info, settings::AttributeFlag,
                      "is beyond what the field can hold; it is taken as 1, no road-class field.");
  state.gAttributeFlag = flag.value_or(1);
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
