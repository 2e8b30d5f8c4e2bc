#include "network/network_building.h"
#include "network/network_entering.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <functional>
#include <utility>

#include "com/numbers.h"
#include "common/result_field.h"
#include "common/show_message.h"
#include "common/unit_code.h"
#include "common/unwritten_settings.h"
#include "dialogs/network/frm_set_speed.h"
#include "dialogs/network/n_load.h"
#include "dialogs/network/polylines.h"
#include "host/cursor.h"
#include "host/fields.h"
#include "network/layer_unit.h"
#include "network/network_loading.h"
#include "network/state/build_mark.h"
#include "network/state/handler_end.h"
#include "network/state/road_class_rows.h"
#include "network/state/settings_files.h"
#include "network/state/settings_notes.h"
#include "network/state/shared_state.h"
#include "network/zone_settings.h"
#include "tamix/network_file_names.h"
#include "win/backup_copy.h"
#include "win/clock.h"
#include "win/file_system_object.h"
#include "win/num_text.h"
#include "win/paths.h"
#include "win/profile.h"

namespace corvane {

namespace {

constexpr std::string_view DefaultAttribute = "Default Attribute";

// Shows a one-choice dialog modally with the network layer dialogs' protocol: the choice goes
// to gPickedName, which is empty when the user cancelled.
void ask_choice(ChoiceDialog& dialog, std::string_view caption, std::string_view prompt,
                const std::vector<std::string>& items) {
  dialog.SetCaption(std::string(caption));
  dialog.Label1.SetCaption(std::string(prompt));
  dialog.Combo1.Clear();
  for (const auto& item : items)
    dialog.Combo1.AddItem(item);
  dialog.Combo1.SetListIndex(0);
  shared_state().gPickedName.clear();
  dialog.Show(forms::ShowMode::Modal);
}

bool numeric(int field_type) {
  return field_type == host::field_small_integer || field_type == host::field_integer ||
         field_type == host::field_single || field_type == host::field_double;
}

// The road-class field chosen: its name, "" for none. False when the user cancelled.
bool choose_road_class_field(host::HostFields& fields, std::string& field) {
  auto& state = shared_state();
  state.gAttributeFlag = 0;
  std::vector<std::string> items{std::string(DefaultAttribute)};
  for (int i = 0; i < fields.FieldCount(); ++i) {
    const auto candidate = require(fields.Field(i), "Fields.Field");
    if (numeric(candidate->Type()))
      items.push_back(candidate->Name());
  }
  field.clear();
  if (items.size() == 1) {
    show_message("No valid attribute field found in " + state.gNetworkLayerName + ".shp",
                 "Attribute field not found", forms::Icon::Exclamation);
    return true;
  }
  ask_choice(gPolylines1Form(), "Attribute Field", "Select an Attribute Field", items);
  if (state.gPickedName.empty())
    return false;
  if (state.gPickedFieldIndex != 0)
    field = state.gPickedName;
  return true;
}

// The distance units of the new network: those the user chose for the network being replaced,
// else from the map when it says kilometres or miles, otherwise chosen by the user. False when
// the user cancelled.
bool choose_distance_units(host::HostMap& map, const std::optional<std::string>& kept,
                           std::string& units) {
  const int map_units = map.DistanceUnits();
  if (kept) {
    units = *kept;
  } else if (map_units == host::Kilometers || map_units == host::Miles) {
    units = std::string(map_units == host::Kilometers ? settings::Kilometers : settings::Miles);
  } else {
    ask_choice(gPolylinesForm(), "Distance Units", "Select Distance Units",
               {std::string(settings::Kilometers), std::string(settings::Miles)});
    units = shared_state().gPickedName;
    if (units.empty())
      return false;
  }
  shared_state().gDistUnits = units;
  return true;
}

// The field's value of every feature, in the feature class's order: one per link; nothing when
// a value is no number (an empty one), which makes the field as invalid as a value too large.
std::optional<std::vector<double>> attribute_values(host::HostFeatureClass* features,
                                                    const std::string& field,
                                                    std::int32_t feature_count) {
  auto values = RoadClassFieldValues(features, features->FindField(field));
  if (values && values->size() != static_cast<std::size_t>(feature_count))
    throw HandlerEnd("the feature count changed while the road classes were read");
  return values;
}

// The classes of the new network as the road-class list holds them: plain decimal texts, or
// the single " 1" (a number text) of a network without road-class field.
std::vector<std::string> class_items(const std::vector<std::int32_t>& classes, bool has_field) {
  if (!has_field)
    return {win::NumText(1)};
  std::vector<std::string> items;
  for (const auto value : classes)
    items.push_back(std::to_string(value));
  return items;
}

// "Attrib.txt" for the engine, one line per link; the bar of NLoad counts the links. Why it
// cannot be written, or nothing when it is.
std::optional<std::string> write_attribute_text(const std::string& folder,
                                                const std::vector<double>& values,
                                                std::int32_t feature_count, bool has_field) {
  const win::FileSystemObject files;
  files.DeleteFile(AttributeTextFile(folder), true);
  if (!has_field)
    files.DeleteFile(win::join_path(folder, tamix::attribute_file), true);
  auto& bar = gNLoadForm().ProgressBar1;
  if (feature_count > 0)
    bar.SetMax(feature_count);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(feature_count));
  for (std::int32_t i = 0; i < feature_count; ++i) {
    bar.SetValue(i + 1);
    lines.push_back(has_field ? settings::attribute_line(values[static_cast<std::size_t>(i)])
                              : std::string(settings::NoClassLine));
  }
  return settings::write_attribute_text(folder, lines);
}

// The engine's part, in the NLoad window; `files_made` once the engine has replaced the network
// files. False when the network could not be made or loaded (the user has been told why).
bool build_engine_network(tamix::NetBase& tantest, const std::vector<double>& values,
                          std::int32_t feature_count, bool has_field, std::int32_t links_to_carry,
                          const std::function<void()>& files_made) {
  auto& state = shared_state();
  bool succeeded = false;
  RunWithProgressWindow("Creating Network", "Creating Topology Network", [&] {
    auto& bar = gNLoadForm().ProgressBar1;
    state.gEngineResult = tantest.CreateNetwork(state.gNetworkLayerName, links_to_carry, "");
    if (!EngineCallSucceeded(tantest, NetworkNotCreated))
      return;
    files_made();
    if (const auto unwritten =
            write_attribute_text(state.gNetworkFolder, values, feature_count, has_field)) {
      show_message("Network could not be created: " + *unwritten, "Error", forms::Icon::Critical);
      return;
    }
    bar.SetValue(0);
    bar.SetMax(100);
    // A failed attribute file would leave the links without their classes: it counts as a
    // failed build, like the two calls around it.
    state.gEngineResult = tantest.CreateAttributeFile(std::string(AttributeTextFileName));
    if (!EngineCallSucceeded(tantest, NetworkNotCreated))
      return;
    bar.SetMax(100);
    succeeded = LoadEngineNetwork(tantest);
  });
  return succeeded;
}

void set_info(settings::Changes& changes, std::int32_t feature_count, const LayerUnit& unit,
              std::int32_t map_units, const std::string& dist_units, const std::string& field) {
  const auto& state = shared_state();
  const auto now = win::clock::now();
  const std::pair<std::string_view, std::string> keys[] = {
      {settings::ShapeFile, win::join_path(state.gNetworkFolder, state.gNetworkLayerName + ".shp")},
      {settings::RecordNo, win::NumText(feature_count)},
      {settings::EsriMapUnits, win::NumText(unit.epsg_code)},
      {settings::OcxMapUnits, win::NumText(map_units)},
      {settings::OcxDistUnits, dist_units},
      {settings::Edited, settings::edited_value(now, now)},
      {settings::AttributeField, field.empty() ? std::string(settings::NoRoadClassField) : field},
      {settings::AttributeFlag, win::NumText(state.gAttributeFlag)},
  };
  for (const auto& [key, value] : keys)
    settings::set(changes, settings::Info, key, value);
}

// "3 closed roads and 1 temporary speed", leaving out a kind of which there are none.
std::string counted(const std::vector<std::pair<std::size_t, std::string_view>>& kinds) {
  std::vector<std::string> counts;
  for (const auto& [count, kind] : kinds)
    if (count != 0)
      counts.push_back(std::to_string(count) + " " + std::string(kind) + (count == 1 ? "" : "s"));
  return ListedWithAnd(counts);
}

// The road classes of the new network, with the speed and alias each class value had in the old
// "link.spd"; the file's rows and the rows the shared state takes, which name a class new to the
// network "Speed " and its list item (" 1" for a network without road-class field: "Speed  1",
// with two blanks, where the file holds "Speed 1").
struct NewRoadClasses {
  std::vector<RoadClassSpeed> file_rows, state_rows;
  std::size_t dropped = 0; // old classes whose value no longer occurs
};
NewRoadClasses new_road_classes(const std::vector<std::string>& items,
                                const std::vector<RoadClassSpeed>& old_classes) {
  NewRoadClasses classes;
  std::vector<std::int32_t> values;
  for (const auto& item : items)
    values.push_back(static_cast<std::int32_t>(com::round_half_even(com::Val(item))));
  classes.file_rows = RoadClassRows(old_classes, values);
  classes.state_rows = classes.file_rows;
  for (std::size_t row = 0; row < items.size(); ++row) {
    const auto held = std::any_of(old_classes.begin(), old_classes.end(),
                                  [&](const auto& old) { return old.ClassValue == values[row]; });
    if (!held)
      classes.state_rows[row].Alias = "Speed " + items[row];
  }
  classes.dropped = DroppedRoadClassCount(old_classes, values);
  return classes;
}

// What the user is told of a settings file that could not be understood, and of one whose
// unusable values the notes have named.
std::string not_understood(const std::string& file, const std::string& reason) {
  return file + " could not be read: " + reason + ". The network is built again";
}
std::string values_left_out(const std::string& file) {
  return file + ": what could not be read of it, named above, is not carried over.";
}

// What of the old "link.spd" is not carried over, for the user; empty when all of it is.
std::string speeds_not_carried(const std::string& speed_file, const OldSettings& old,
                               std::size_t dropped, const std::string& field) {
  if (old.speeds_unreadable)
    return not_understood(speed_file, *old.speeds_unreadable) +
           "; nothing in it could be carried over.";
  if (dropped > 0)
    return RoadClassesNotCarried(speed_file, dropped, field);
  if (old.classes.left_out > 0)
    return values_left_out(speed_file);
  return {};
}

// Whether the closures and temporary speeds, which name links by number, still name the same
// roads, and why not.
bool links_carried(const OldSettings& old, tamix::NetBase::OldLinks old_links) {
  return old_links == tamix::NetBase::OldLinks::same && !old.links_unsure;
}

// How many of the old settings name links by number: with none, the engine need not compare
// the old links with the new ones.
std::int32_t links_to_carry(const OldSettings& old) {
  const auto& links = old.ini.closed_links;
  const auto& speeds = old.ini.temp_speeds;
  return static_cast<std::int32_t>((links ? links->size() : 0) + (speeds ? speeds->size() : 0));
}
std::string why_links_not_carried(const OldSettings& old, tamix::NetBase::OldLinks old_links,
                                  const std::vector<std::string>& missing) {
  if (old.links_unsure)
    return "a build of the network did not finish, so the links they name cannot be checked.";
  if (old_links == tamix::NetBase::OldLinks::changed)
    return "the road layer changed since the network was built.";
  if (!missing.empty())
    return "there were no network files to check the links they name against (" +
           ListedWithAnd(missing) + (missing.size() == 1 ? " was" : " were") + " missing).";
  return "there were no readable network files to check the links they name against.";
}

// The files the engine compares the links of a new network against (the lengths and the
// shapes) that are missing before it builds.
std::vector<std::string> missing_comparison_files(const std::string& folder) {
  const win::FileSystemObject files;
  std::vector<std::string> missing;
  for (const std::string_view name : {tamix::dist_file, tamix::coord_file})
    if (const auto file = win::join_path(folder, name); !files.FileExists(file))
      missing.push_back(file);
  return missing;
}

// The settings of the old "Corvane.ini" the new one holds, and what of it is not carried over,
// for the user (empty when all of it is).
struct IniCarried {
  StoredSettings settings;
  std::string not_carried, carried_note;
};
IniCarried ini_carried(const std::string& ini, const OldSettings& old,
                       tamix::NetBase::OldLinks old_links,
                       const std::vector<std::string>& missing) {
  IniCarried carried{old.ini, {}, {}};
  std::vector<std::string> lost;
  const bool nothing_carried = old.ini_unreadable && old.ini.names().empty();
  if (old.ini_unreadable) {
    const auto said = not_understood(ini, *old.ini_unreadable);
    if (nothing_carried)
      lost.push_back(said + "; nothing in it could be carried over.");
    else
      carried.carried_note = said + ", and its " + old.ini.names() + " are carried over.";
  }
  if (!links_carried(old, old_links)) {
    const auto& links = carried.settings.closed_links;
    const auto& speeds = carried.settings.temp_speeds;
    const auto closures = links ? links->size() : 0;
    const auto temp_speeds = speeds ? speeds->size() : 0;
    if (closures + temp_speeds > 0)
      lost.push_back(ini + ": " +
                     counted({{closures, "closed road"}, {temp_speeds, "temporary speed"}}) +
                     (closures + temp_speeds == 1 ? " was" : " were") +
                     " not carried over: " + why_links_not_carried(old, old_links, missing));
    carried.settings.closed_links.reset();
    carried.settings.temp_speeds.reset();
  }
  if (old.ini.left_out > 0 && !nothing_carried)
    lost.push_back(values_left_out(ini));
  for (const auto& sentence : lost)
    carried.not_carried += (carried.not_carried.empty() ? "" : " ") + sentence;
  return carried;
}

// A settings file the build could not write, with the reason the failing call gave: the
// network files are new, the settings are not, and the build mark stays so that the next
// opening builds again.
void tell_unwritten(const std::string& file, int error) {
  show_message(file + " could not be written: " + win::WriteFailureReason(file, error) +
                   ". The network is not loaded; it is built again when it is next opened.",
               "Error", forms::Icon::Critical);
}

} // namespace

std::int32_t EngineMapUnits(std::int32_t engine_unit_code) {
  // Engine unit code -> map-unit family, by the EPSG units behind the codes.
  static constexpr std::pair<std::int32_t, std::int32_t> families[] = {
      {1, 7},   {2, 7},                                                            // metres
      {3, 3},   {5, 3},   {16, 3},  {20, 3},  {24, 3},  {27, 3}, {28, 3}, {29, 3}, // feet
      {30, 3},  {35, 3},  {4, 8},                                                  // US survey foot
      {7, 9},                                                                      // nautical mile
      {8, 12},  {13, 12}, {17, 12}, {21, 12}, {25, 12},                            // chains
      {9, 11},  {14, 11}, {18, 11}, {22, 11}, {26, 11},                            // links
      {10, 0},  {11, 1}, // mile, kilometre
      {12, 4},  {15, 4},  {19, 4},  {23, 4},  {31, 4},  {32, 4}, {33, 4}, {34, 4}, // yards
      {37, 10},                                                                    // degree
  };
  for (const auto& [code, family] : families)
    if (code == engine_unit_code)
      return family;
  return 0;
}

std::int32_t LinkCount(host::HostFeatureClass& features) {
  std::int32_t feature_count = 0;
  check_call(features.FeatureCount(nullptr, &feature_count), "FeatureClass.FeatureCount");
  return feature_count;
}

namespace {

// What the new network is made of: the layer's unit and link count, and what the user chose.
struct BuildChoices {
  LayerUnit unit;
  std::int32_t map_units = 0;
  std::string field; // the road-class field, "" for none
  std::string dist_units;
  std::int32_t feature_count = 0;
  std::vector<double> values;     // the field's value of every link
  std::vector<std::string> items; // the road classes as the class list holds them
};

// The first phase: the layer's coordinate unit checked, the road-class field and the distance
// units chosen, and the engine given its units. Nothing when the run ends (the user has been
// told why, or cancelled).
std::optional<BuildChoices> choose_for_network(tamix::NetBase& tantest,
                                               host::HostFeatureLayer& layer,
                                               host::HostFeatureClass& features, host::HostMap& map,
                                               const OldSettings& old) {
  auto& state = shared_state();
  BuildChoices choices;
  choices.unit = layer_coordinate_unit(&features);
  if (choices.unit.name == UnknownUnitName) {
    show_message("Co-ordinate unit of " + layer.Name() + " Unsupported by Corvane", "Dataset Unit",
                 forms::Icon::Exclamation);
    return std::nullopt;
  }
  const auto engine_unit = UnitCodeFromEpsg(choices.unit.epsg_code);
  if (engine_unit == 0) {
    show_message("Co-ordinate unit of " + layer.Name() + " unsupported by Corvane", "Dataset Unit",
                 forms::Icon::Exclamation);
    return std::nullopt;
  }

  if (!choose_road_class_field(*require(features.Fields(), "FeatureClass.Fields"), choices.field))
    return std::nullopt;
  if (choices.field.empty()) {
    state.gAttributeFlag = 1;
    state.gRoadClassCount = 0;
  }

  gFrmSetSpeedForm().List1.Clear();
  for (std::int32_t row = 0; row < state.gRoadClassCount; ++row)
    state.gRoadClassSpeeds[row] = {};

  if (!choose_distance_units(map, old.ini.distance_units, choices.dist_units))
    return std::nullopt;

  choices.map_units = EngineMapUnits(engine_unit);
  state.gCallResult = tantest.SetMapUnits(choices.map_units);
  state.gCallResult = tantest.SetDistanceUnits(choices.dist_units == settings::Kilometers ? 0 : 1);
  return choices;
}

// The road classes of the layer's links, in the road-speed dialog's list; a field whose values
// cannot be classes leaves the network without a road-class field.
void read_road_classes(host::HostFeatureClass& features, BuildChoices& choices) {
  auto& state = shared_state();
  state.gRoadClassCount = 0;
  choices.feature_count = LinkCount(features);
  std::vector<std::int32_t> classes;
  if (!choices.field.empty()) {
    auto read = attribute_values(&features, choices.field, choices.feature_count);
    if (read)
      choices.values = std::move(*read);
    if (!read || !RoadClassesOf(choices.values, classes)) {
      show_message("The attribute field you have selected contains invalid entries",
                   "Field Invalid", forms::Icon::None);
      state.gAttributeFlag = 1;
      choices.field.clear();
    }
  }
  choices.items = class_items(classes, !choices.field.empty());
  auto& class_list = gFrmSetSpeedForm().List1;
  class_list.Clear();
  for (const auto& item : choices.items)
    class_list.AddItem(item);
  state.gRoadClassCount = static_cast<std::int32_t>(choices.items.size());
}

// The build mark, before anything of the network is replaced; false, the user told why, when it
// cannot be written.
bool put_build_mark(const std::string& folder) {
  errno = 0;
  if (PutBuildMark(folder))
    return true;
  const auto mark = NetworkIniFile(folder) + ".building";
  show_message("The network cannot be built: " + mark + " cannot be written (" +
                   win::WriteFailureReason(mark, errno) + ").",
               "Error", forms::Icon::Critical);
  return false;
}

// The engine's network files, made, given their classes and loaded, and the result field
// ensured once the engine has accepted every file of the layer (a refused layer keeps its table
// as it was). False when the network could not be made (the user has been told why).
bool make_engine_network(tamix::NetBase& tantest, host::HostFeatureClass& features,
                         const BuildChoices& choices, const OldSettings& old) {
  // Said as soon as the engine has replaced the files, so that a later failure or a kill still
  // lets the next build carry the closures over.
  const auto files_made = [&] {
    if (links_carried(old, tantest.LinksOfReplacedNetwork()))
      MarkLinksKept(shared_state().gNetworkFolder);
  };
  return build_engine_network(tantest, choices.values, choices.feature_count,
                              !choices.field.empty(), links_to_carry(old), files_made) &&
         EnsureResultField(&features);
}

// The settings of the new network: the road classes into the shared state, then "link.spd"
// first and "Corvane.ini" last and whole, in one replacement each: a kill leaves each file old
// or new, and the build mark says which were not yet written. What a file loses is kept in a
// copy of its own first; a file that cannot be kept so is left as it is, and the build mark
// stays so that the next opening builds again. What is said of the old files goes into the
// build mark before either is replaced, so that a kill before the user has read it leaves it
// for the next opening to show; it joins `notes` only once it is true. The settings carried
// over, or nothing when a file could not be written (the user has been told why).
std::optional<StoredSettings>
write_network_settings(tamix::NetBase& tantest, const BuildChoices& choices, const OldSettings& old,
                       const std::vector<std::string>& missing, SettingsNotes& notes) {
  auto& state = shared_state();
  const auto& folder = state.gNetworkFolder;
  const auto classes_of_network = new_road_classes(choices.items, old.classes.classes);
  for (std::int32_t row = 0; row < state.gRoadClassCount; ++row)
    state.gRoadClassSpeeds[row] = classes_of_network.state_rows[static_cast<std::size_t>(row)];

  // Lines an earlier build recorded and no message has shown yet (the opening shows them now),
  // and the copies it made: the mark keeps them until this opening's message has.
  auto copies = CopiesOfUnfinishedBuild(folder);
  const auto ini = NetworkIniFile(folder);
  const auto speed_file = SpeedClassFile(folder);
  SettingsNotes speed_notes, ini_notes;
  const auto hand_over = [&](const SettingsNotes& said) {
    for (const auto& line : said.lines())
      notes.add(line);
  };
  const auto speeds_lost =
      speeds_not_carried(speed_file, old, classes_of_network.dropped, choices.field);
  if (!speeds_lost.empty() && !KeepOldSettings(speed_file, speeds_lost, speed_notes, copies)) {
    hand_over(speed_notes);
    return std::nullopt;
  }
  const auto carried = ini_carried(ini, old, tantest.LinksOfReplacedNetwork(), missing);
  if (!carried.carried_note.empty())
    ini_notes.add(carried.carried_note);
  if (!carried.not_carried.empty() &&
      !KeepOldSettings(ini, carried.not_carried, ini_notes, copies)) {
    hand_over(speed_notes);
    hand_over(ini_notes);
    return std::nullopt;
  }
  auto pending = UnshownNotes(folder);
  pending.insert(pending.end(), speed_notes.lines().begin(), speed_notes.lines().end());
  pending.insert(pending.end(), ini_notes.lines().begin(), ini_notes.lines().end());
  errno = 0;
  if (!RecordUnshownNotes(folder, pending, copies)) {
    hand_over(speed_notes);
    hand_over(ini_notes);
    tell_unwritten(ini + ".building", errno);
    return std::nullopt;
  }
  errno = 0;
  if (!settings::write_road_classes(speed_file, classes_of_network.file_rows)) {
    tell_unwritten(speed_file, errno);
    return std::nullopt;
  }
  hand_over(speed_notes);
  settings::Changes settings_of_network;
  set_info(settings_of_network, choices.feature_count, choices.unit, choices.map_units,
           choices.dist_units, choices.field);
  AddStoredSettings(settings_of_network, carried.settings);
  errno = 0;
  if (!settings::commit(ini, settings_of_network, win::ProfileBase::empty_file)) {
    tell_unwritten(ini, errno);
    return std::nullopt;
  }
  hand_over(ini_notes);
  MarkSettingsWritten(folder);
  return carried.settings;
}

} // namespace

// The build's phases, in their order. The opening has taken the folder's turn before it read
// the old settings, and holds it until this returns.
bool NetworkCreate(const com::ComPtr<tamix::NetBase>& tantest, host::HostFeatureLayer* layer,
                   host::HostMap* map, const OldSettings& old, SettingsNotes& notes) {
  const auto& folder = shared_state().gNetworkFolder;
  const auto features = require(layer->FeatureClass(), "FeatureLayer.FeatureClass");
  auto choices = choose_for_network(*tantest, *layer, *features, *map, old);
  if (!choices)
    return false;
  read_road_classes(*features, *choices);
  if (!put_build_mark(folder))
    return false;
  const auto missing = missing_comparison_files(folder);
  if (!make_engine_network(*tantest, *features, *choices, old))
    return false;
  const auto carried = write_network_settings(*tantest, *choices, old, missing, notes);
  if (!carried)
    return false;
  // The engine has made "attribute.bin" from it.
  win::FileSystemObject().DeleteFile(AttributeTextFile(folder), true);
  EnterLoadedNetwork(tantest, *carried, EntryWay::built);
  return true;
}

} // namespace corvane
