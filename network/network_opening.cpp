#include "network/network_opening.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "com/numbers.h"
#include "command/folder_turn.h"
#include "common/check_network_ready.h"
#include "common/layer_source.h"
#include "common/mark_link_midpoint.h"
#include "common/marker_graphic.h"
#include "common/network_projection.h"
#include "common/output_sets.h"
#include "common/result_field.h"
#include "common/show_message.h"
#include "common/show_settings_notes.h"
#include "common/unit_code.h"
#include "common/unwritten_settings.h"
#include "dialogs/network/frm_set_speed.h"
#include "dialogs/network/polylines.h"
#include "host/active_view.h"
#include "host/layer.h"
#include "network/layer_unit.h"
#include "network/network_building.h"
#include "network/network_entering.h"
#include "network/network_loading.h"
#include "network/state/build_mark.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/settings_notes.h"
#include "network/state/shared_state.h"
#include "network/state/stored_settings.h"
#include "network/zone_settings.h"
#include "tamix/net_calc.h"
#include "tamix/network_file_names.h"
#include "win/backup_copy.h"
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
// files, the settings files and the build mark.
constexpr std::array<std::string_view, 8> replaced_files{
    tamix::link_file,      tamix::dist_file,   tamix::coord_file,  tamix::node_file,
    tamix::attribute_file, NetworkIniFileName, SpeedClassFileName, "Corvane.ini.building"};

// A killed build or save leaves the temporaries of these files and of the copies kept of the
// settings files; nobody else would remove them.
void remove_stale_temporaries(const std::string& folder) {
  for (const auto name : replaced_files)
    win::remove_stale_temporary(win::join_path(folder, name));
  for (const auto name : {NetworkIniFileName, SpeedClassFileName})
    win::RemoveStaleCopyTemporaries(win::join_path(folder, name));
}

enum class Decision { Load, Rebuild, Stop };

// The facts of the layer against its settings that decide a rebuild, each tested alone.
struct LayerFacts {
  const std::string& ini;
  const StoredBuildFacts& stored;
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
    return stored.attribute_flag == 0 && !win::FileSystemObject().FileExists(win::join_path(
                                             shared_state().gNetworkFolder, tamix::attribute_file));
  }
  // The whole value is the unit's code: "32633,5" or "32633 m" is none, never 32633.
  bool units_match() const {
    const auto stored =
        com::parse_number(settings::read(ini, settings::Info, settings::EsriMapUnits));
    return stored && *stored == layer_coordinate_unit(&features).epsg_code;
  }
  bool record_count_matches() const { return stored.record_count() == LinkCount(features); }
};

// [INFO] "OCXMAPUNITS" to the engine. The value follows from the layer's unit, which the units
// test has just found to be the stored one: a value that is missing, no number or refused by
// the engine is replaced by the one a build writes, and the user told. False when the layer's
// unit has no engine map units either (a rebuild then tells the user why).
bool apply_map_units(tamix::NetBase& tantest, const std::string& ini,
                     host::HostFeatureClass& features, SettingsNotes& notes) {
  auto& state = shared_state();
  const auto stored = com::parse_number(settings::read(ini, settings::Info, settings::OcxMapUnits));
  const auto code = stored ? com::to_int32(*stored) : std::nullopt;
  if (code && (state.gCallResult = tantest.SetMapUnits(*code)) == 0)
    return true;
  const auto engine_unit = UnitCodeFromEpsg(layer_coordinate_unit(&features).epsg_code);
  if (engine_unit == 0)
    return false;
  const auto map_units = EngineMapUnits(engine_unit);
  notes.add(ini, settings::Info, settings::OcxMapUnits,
            "is missing or names no map unit; the unit of the layer is used.");
  SettingsWritten(
      settings::write(ini, settings::Info, settings::OcxMapUnits, win::NumText(map_units)), ini);
  return (state.gCallResult = tantest.SetMapUnits(map_units)) == 0;
}

// Every build writes these sections; a file without one (cut off, or edited) loads with what
// its absence means, and the user is told.
void note_missing_sections(const win::ProfileSnapshot& ini_text, const std::string& ini,
                           SettingsNotes& notes) {
  const std::pair<std::string_view, std::string_view> sections[] = {
      {settings::ClosedRoads, "no road is closed."},
      {settings::TemporarySpeeds, "no road has a temporary speed."},
      {settings::Isochrone, "there are no zones."},
      {settings::Color, "the route colour is black (0, 0, 0)."},
  };
  for (const auto& [section, meaning] : sections)
    if (!ini_text.has_section(section))
      notes.add(ini + ": [" + std::string(section) + "] is missing; " + std::string(meaning));
}

// [INFO] names fields of the road layer that the layer may no longer have (edited since, or a
// hand edit): said at the opening, before a command finds the field missing.
void note_fields_not_in_layer(const win::ProfileSnapshot& ini_text, const std::string& ini,
                              const StoredBuildFacts& stored, host::HostFeatureClass& features,
                              SettingsNotes& notes) {
  const auto names_no_field = [&](const std::string& name) {
    return "gives \"" + name + "\", which names no field of the road layer; ";
  };
  const auto description =
      ini_text.read(settings::Info, settings::DescFieldName, std::string(settings::Missing));
  if (description != settings::Missing && description != settings::DescriptionFieldNotFound &&
      features.FindField(description) == -1)
    notes.add(ini, settings::Info, settings::DescFieldName,
              names_no_field(description) + "directions are not named by it.");
  const auto field = ini_text.read(settings::Info, settings::AttributeField, "");
  if (stored.attribute_flag == 0 && !field.empty() && features.FindField(field) == -1)
    notes.add(ini, settings::Info, settings::AttributeField,
              names_no_field(field) + "the road classes of the network files stand until "
                                      "\"Update Road Classes\" or a new build.");
}

// [INFO] "RECORD NO" that is no count makes the opening build again; the user is told why.
void note_record_count(const StoredBuildFacts& stored, const std::string& ini,
                       SettingsNotes& notes) {
  const auto& text = stored.record_no;
  const auto number = com::parse_number(text);
  if (!number || *number < 0 || *number != std::floor(*number) || !com::to_int32(*number))
    notes.add(ini, settings::Info, settings::RecordNo,
              text == settings::Missing
                  ? std::string("is missing; the network is built again.")
                  : "gives \"" + text + "\", which is no count; the network is built again.");
}

// Steps of the load-or-rebuild decision, in their order; the units question may stop the run,
// and so may distance units the network cannot be used with.
Decision decide_for_layer(tamix::NetBase& tantest, host::HostFeatureLayer& layer,
                          host::HostFeatureClass& features, const StoredBuildFacts& stored,
                          SettingsNotes& notes) {
  auto& state = shared_state();
  const win::FileSystemObject files;
  const auto& folder = state.gNetworkFolder;
  const auto ini = NetworkIniFile(folder);
  const LayerFacts facts{ini, stored, features};

  for (const std::string_view name : {NetworkIniFileName, tamix::link_file, tamix::dist_file,
                                      tamix::coord_file, tamix::node_file, SpeedClassFileName})
    if (!files.FileExists(win::join_path(folder, name)))
      return Decision::Rebuild;

  if (!facts.named() || facts.saved_after_settings() || facts.missing_attribute_file())
    return Decision::Rebuild;

  if (!facts.units_match()) {
    const auto answer =
        show_message("Current " + layer.Name() +
                         " units do not match with the Network's units. Create "
                         "the new network?",
                     "Dataset Units Mismatch", forms::Icon::None, forms::Buttons::YesNo);
    return answer == forms::Answer::Yes ? Decision::Rebuild : Decision::Stop;
  }

  if (!apply_map_units(tantest, ini, features, notes))
    return Decision::Rebuild;
  // Units of no known name are the engine's own, kilometres, and named so: without a name no
  // class speed would reach the engine, and the routes would carry no unit.
  const auto units = settings::read_distance_units(ini);
  if (!units)
    notes.add(ini, settings::Info, settings::OcxDistUnits,
              "holds \"" + settings::read(ini, settings::Info, settings::OcxDistUnits) +
                  "\", which is neither Kilometers nor Miles; the engine's units, " +
                  std::string(settings::Kilometers) + ", are used.");
  state.gDistUnits = units.value_or(std::string(settings::Kilometers));
  state.gCallResult = tantest.SetDistanceUnits(state.gDistUnits == settings::Kilometers ? 0 : 1);

  if (!EnsureResultField(&features))
    return Decision::Stop;
  if (facts.record_count_matches())
    return Decision::Load;
  note_record_count(stored, ini, notes);
  return Decision::Rebuild;
}

// The road classes into the shared state and the road-speed dialog's list.
void store_road_classes(const std::vector<RoadClassSpeed>& classes) {
  auto& state = shared_state();
  auto& list = gFrmSetSpeedForm().List1;
  list.Clear();
  state.gRoadClassCount = 0;
  for (const auto& road_class : classes) {
    state.gRoadClassSpeeds[state.gRoadClassCount++] = road_class;
    list.AddItem(road_class.Alias);
  }
}

// Where the markers of the temporary speeds in the shared state and of `closed_links` stand,
// read in one pass over the layer (each link has been checked to name a link of the layer).
LinkMarkers read_list_markers(host::HostFeatureClass& features,
                              const std::vector<std::int32_t>& closed_links) {
  const auto& state = shared_state();
  LinkMarkers markers;
  for (std::int32_t row = 1; row <= state.gTempSpeedCount; ++row)
    markers.add(static_cast<std::int32_t>(state.gTempSpeeds[row].Link), TempSpeedMarkerRatio,
                MarkerTempSpeed);
  for (const auto link : closed_links)
    markers.add(link, ClosedRoadMarkerRatio, MarkerClosedRoad);
  markers.read(&features);
  return markers;
}

void mark_closed_links(host::HostMap& map, const LinkMarkers& markers) {
  markers.draw(&map, MarkerClosedRoad);
  require_as<host::HostActiveView>(com::ComPtr<host::HostMap>(&map), "Map as ActiveView")
      ->Refresh();
}

// The host refused the layer's files (damaged since the layer was added): say which, rather
// than end with a bare code.
void tell_layer_unreadable() {
  const auto& state = shared_state();
  show_message("The files of the network layer " +
                   win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".shp") +
                   " could not be read: they are damaged or cannot be opened.",
               "Error", forms::Icon::Critical);
}

// Every rebuild keeps what still applies of the old settings: the build writes it into the new
// files, and the closures and temporary speeds it carried are marked as an opening marks them.
void rebuild(const com::ComPtr<tamix::NetBase>& tantest, host::HostFeatureLayer& layer,
             host::HostMap& map, const OldSettings& old, SettingsNotes& notes) {
  try {
    if (!NetworkCreate(tantest, &layer, &map, old, notes))
      return;
  } catch (const HostCallFailed&) {
    // The build writes nothing before its reads.
    return tell_layer_unreadable();
  }
  const auto& state = shared_state();
  if (state.gClosedLinkCount == 0 && state.gTempSpeedCount == 0)
    return;
  const auto features = require(layer.FeatureClass(), "FeatureLayer.FeatureClass");
  std::vector<std::int32_t> closed_links;
  for (std::int32_t row = 1; row <= state.gClosedLinkCount; ++row)
    closed_links.push_back(state.gClosedLinks[row]);
  const auto markers = read_list_markers(*features, closed_links);
  markers.draw(&map, MarkerTempSpeed);
  mark_closed_links(map, markers);
}

// The settings files of the folder, each read once.
struct FolderSettings {
  std::string ini, speed_file;
  win::ProfileSnapshot ini_text, speed_text;
  StoredBuildFacts build_facts;

  explicit FolderSettings(const std::string& folder)
      : ini(NetworkIniFile(folder)), speed_file(SpeedClassFile(folder)), ini_text(ini),
        speed_text(speed_file), build_facts(ReadStoredBuildFacts(ini_text)) {}
};

// Whether the network files can be loaded as they are, from the settings files and the mark of
// the last build. A settings file that cannot be understood says nothing of the network, which
// is built again with what can still be read of it; a build that did not finish leaves files
// and settings that may disagree, so they are never loaded as they are. What the last build
// recorded it had to say and a kill kept from being shown goes to `notes`, to be shown now,
// once: each line names a copy that was made.
Decision decide_for_folder(tamix::NetBase& tantest, host::HostFeatureLayer& layer,
                           host::HostFeatureClass& features, const FolderSettings& files,
                           OldSettings& old, SettingsNotes& notes) {
  const auto& folder = shared_state().gNetworkFolder;
  old.ini_unreadable = UnreadableReason(files.ini_text, settings::Info);
  old.speeds_unreadable = UnreadableReason(files.speed_text, settings::SpeedValues);
  for (auto& line : UnshownNotes(folder))
    notes.add(std::move(line));
  // A build that replaced no network file left files and settings as they belong together.
  const auto last_build = LastBuildOf(folder);
  const bool build_unfinished =
      last_build == LastBuild::links_kept || last_build == LastBuild::unfinished;
  old.links_unsure = last_build == LastBuild::unfinished;
  const auto decision = old.ini_unreadable || old.speeds_unreadable
                            ? Decision::Rebuild
                            : decide_for_layer(tantest, layer, features, files.build_facts, notes);
  if (decision != Decision::Load || !build_unfinished)
    return decision;
  notes.add("The last build of the network in " + folder +
            " did not finish: its files and settings may not belong together, so the network "
            "is built again.");
  return Decision::Rebuild;
}

// The user's settings of the old files, for the load or for the build to carry over. False when
// the road layer cannot be read for a build (the user has been told why).
bool read_old_settings(host::HostFeatureClass& features, const FolderSettings& files,
                       Decision decision, OldSettings& old, SettingsNotes& notes) {
  // The stored link numbers name links of the network the settings were written for: the
  // layer as it is when it is loaded, the one of "RECORD NO" links when it is built again.
  std::int32_t link_count = 0;
  try {
    link_count = LinkCount(features);
  } catch (const HostCallFailed&) {
    if (decision == Decision::Load)
      throw;
    tell_layer_unreadable();
    return false;
  }
  if (const auto stored_count = com::to_int32(files.build_facts.record_count());
      decision == Decision::Rebuild && stored_count && *stored_count > 0)
    link_count = *stored_count;
  // Bytes that are no text hold no setting worth carrying.
  if (!files.ini_text.binary())
    old.ini = ReadStoredSettings(files.ini_text, files.ini, link_count, notes);
  if (!old.speeds_unreadable)
    old.classes = ReadStoredRoadClasses(files.speed_text, files.speed_file, notes);
  return true;
}

// The network files loaded as they are, with the settings read: true when the network is in
// use.
bool load_as_it_is(const com::ComPtr<tamix::NetBase>& tantest, host::HostMap& map,
                   host::HostFeatureClass& features, const FolderSettings& files,
                   const OldSettings& old, SettingsNotes& notes) {
  auto& state = shared_state();
  note_missing_sections(files.ini_text, files.ini, notes);
  note_fields_not_in_layer(files.ini_text, files.ini, files.build_facts, features, notes);

  const auto flag = com::to_int32(files.build_facts.attribute_flag);
  if (!flag)
    notes.add(files.ini, settings::Info, settings::AttributeFlag,
              "is beyond what the field can hold; it is taken as 1, no road-class field.");
  state.gAttributeFlag = flag.value_or(1);
  if (state.gAttributeFlag != 0)
    show_message("This network does not contain attribute field", "Attribute Field",
                 forms::Icon::Exclamation);
  // The road classes, temporary speeds and zones stand even when the load then fails.
  store_road_classes(old.classes.classes);
  StoreTempSpeeds(old.ini.temp_speeds.value_or(std::vector<TempSpeedRow>{}));
  const auto markers =
      read_list_markers(features, old.ini.closed_links.value_or(std::vector<std::int32_t>{}));
  markers.draw(&map, MarkerTempSpeed);
  StoreZoneSettings(old.ini.zones.value_or(std::vector<float>{}), true);

  bool loaded = false;
  RunWithProgressWindow("Loading Network", "Loading Topology Network",
                        [&] { loaded = LoadEngineNetwork(*tantest); });
  if (!loaded)
    return false;
  // The settings that only a loaded network gets, and the resets of a new run.
  EnterLoadedNetwork(tantest, old.ini, EntryWay::opened);
  mark_closed_links(map, markers);
  return true;
}

// The opening proper, once the layer is chosen and the engine bound, in its phases: the settings
// files read once each, every value checked as it is read (what cannot be used goes to
// `notes`), then the network loaded as it is or built again. True when the network files were
// loaded as they are.
bool open_chosen_layer(const com::ComPtr<tamix::NetBase>& tantest, host::HostMap& map,
                       host::HostFeatureLayer& layer, host::HostFeatureClass& features,
                       SettingsNotes& notes) {
  const FolderSettings files(shared_state().gNetworkFolder);
  OldSettings old;
  const auto decision = decide_for_folder(*tantest, layer, features, files, old, notes);
  if (decision == Decision::Stop || !read_old_settings(features, files, decision, old, notes))
    return false;
  if (decision == Decision::Rebuild) {
    rebuild(tantest, layer, map, old, notes);
    return false;
  }
  return load_as_it_is(tantest, map, features, files, old, notes);
}

// The layer the user chose, the map it is in and its feature class.
struct ChosenLayer {
  com::ComPtr<host::HostMap> map;
  com::ComPtr<host::HostFeatureLayer> layer;
  com::ComPtr<host::HostFeatureClass> features;
};

// The first phase: the network layer, chosen among the map's candidates; from it
// gNetworkLayerName and gNetworkFolder. Nothing when the run ends (the user has been told why,
// or cancelled).
std::optional<ChosenLayer> choose_network_layer(host::HostDocument* document) {
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
    return std::nullopt;
  }

  const bool found = list_candidate_layers(*map);
  view->Refresh();
  if (!found) {
    show_message("No polyline type shape feature class found", "Layers Not Found",
                 forms::Icon::Exclamation);
    return std::nullopt;
  }

  auto& dialog = gPolylinesForm();
  state.gPickedName.clear();
  dialog.SetCaption("Select A Layer");
  dialog.Label1.SetCaption("Select The Network Layer");
  dialog.Combo1.SetText(dialog.Combo1.List(0));
  dialog.Show(forms::ShowMode::Modal);
  if (state.gPickedName.empty())
    return std::nullopt;

  state.gLayerIndex = state.gCandidateLayers[state.gPickedLayerIndex].MapIndex;
  const auto layer = require_as<host::HostFeatureLayer>(
      require(map->Layer(state.gLayerIndex), "Map.Layer"), "Layer as FeatureLayer");
  const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
  state.gNetworkLayerName = features->AliasName();
  state.gNetworkFolder = workspace_folder(features);
  return ChosenLayer{map, layer, features};
}

// The engine bound to tantest in the chosen folder, and what killed runs left there removed
// (the folder is this program's: no other is writing them).
void bind_engine(tamix::NetBase& tantest) {
  auto& state = shared_state();
  state.gCallResult = require(state.gNetCalc, "gNetCalc")->SetNet(tantest.GetIdentifier());
  tantest.SetNetworkFolder(state.gNetworkFolder);
  remove_stale_temporaries(state.gNetworkFolder);
}

} // namespace

void OpenNetwork(host::HostDocument* document, const com::ComPtr<tamix::NetBase>& tantest) {
  const auto chosen = choose_network_layer(document);
  if (!chosen)
    return;
  // From the first read in the folder until the settings, the build mark and the network files
  // are written, no other program works there: a rebuild carries what another saved just
  // before, and what this one writes is never written over meanwhile.
  const auto& folder = shared_state().gNetworkFolder;
  const FolderTurn turn(folder);
  if (!NetworkProjectionPresent())
    return;
  bind_engine(*tantest);
  SettingsNotes notes;
  const bool loaded_as_it_is =
      open_chosen_layer(tantest, *chosen->map, *chosen->layer, *chosen->features, notes);
  for (auto& line : UnnamedCopiesNotes(folder, notes.lines()))
    notes.add(std::move(line));
  const auto shown = notes.lines();
  ShowSettingsNotes(notes);
  // Only now has the user been told what the last build could not carry over.
  ForgetShownNotes(folder, shown, loaded_as_it_is);
}

} // namespace corvane
