#include "maintenance/update_class.h"

#include <string>
#include <vector>

#include "common/busy_pointer.h"
#include "common/engine_error_text.h"
#include "common/layer_lookup.h"
#include "common/show_message.h"
#include "common/show_settings_notes.h"
#include "common/stamp_network_edited.h"
#include "common/unwritten_settings.h"
#include "network/state/build_mark.h"
#include "network/state/handler_end.h"
#include "network/state/road_class_rows.h"
#include "network/state/settings_files.h"
#include "network/state/settings_notes.h"
#include "network/state/shared_state.h"
#include "tamix/network_file_names.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

// A network without a usable road-class field has this one class.
constexpr std::int32_t DefaultRoadClass = 1;

// What the road-class field gives: its value per link, in feature order, and the distinct
// classes; nothing when the layer has no such field or the field is unusable (the user has
// been told).
struct FieldClasses {
  std::vector<double> values;
  std::vector<std::int32_t> classes;
};
std::optional<FieldClasses> read_field_classes(host::HostFeatureClass& features) {
  const auto field = settings::read(NetworkIniFile(shared_state().gNetworkFolder), settings::Info,
                                    settings::AttributeField);
  const int index = features.FindField(field);
  if (index < 0) {
    show_message("Attribute field not found", "Attribute field not found",
                 forms::Icon::Exclamation);
    return std::nullopt;
  }
  FieldClasses read;
  auto values = RoadClassFieldValues(&features, index);
  if (!values || !RoadClassesOf(*values, read.classes)) {
    show_message("The attribute field contains invalid entries", "Field invalid");
    return std::nullopt;
  }
  read.values = std::move(*values);
  return read;
}

// The lines of "Attrib.txt": the field's value of every link, or the default class for all.
std::vector<std::string> attribute_lines(const std::optional<FieldClasses>& field,
                                         host::HostFeatureClass& features) {
  std::vector<std::string> lines;
  if (field) {
    for (const double value : field->values)
      lines.push_back(settings::attribute_line(value));
    return lines;
  }
  std::int32_t feature_count = 0;
  check_call(features.FeatureCount(nullptr, &feature_count), "FeatureClass.FeatureCount");
  lines.assign(static_cast<std::size_t>(feature_count), std::string(settings::NoClassLine));
  return lines;
}

// Has the engine rebuild its attribute file from the lines; false (the user has been told)
// when it could not.
bool rebuild_engine_classes(const std::vector<std::string>& lines, bool field_usable) {
  auto& state = shared_state();
  const win::FileSystemObject files;
  const auto& folder = state.gNetworkFolder;
  const auto text_file = AttributeTextFile(folder);
  if (files.FileExists(text_file))
    files.DeleteFile(text_file, true);
  const auto engine_file = win::join_path(folder, tamix::attribute_file);
  if (!field_usable && files.FileExists(engine_file))
    files.DeleteFile(engine_file, true);
  if (const auto failed = settings::write_attribute_text(folder, lines)) {
    show_message("Road classes could not be updated: " + *failed, "Error", forms::Icon::Critical);
    return false;
  }
  auto& engine = *require(state.gNetBase, "NetBase");
  state.gEngineResult = engine.CreateAttributeFile(std::string(AttributeTextFileName));
  if (state.gEngineResult != 0) {
    // The engine's reason names the file it could not read or write and why.
    const auto reason = engine.LastErrorText();
    show_message("Road classes could not be updated: Error = " +
                     EngineErrorText(state.gEngineResult) + (reason.empty() ? "" : "\n" + reason),
                 "Error", forms::Icon::Critical);
    return false;
  }
  // The text only hands the classes to the engine.
  files.DeleteFile(text_file, true);
  return true;
}

} // namespace

UpdateClass::UpdateClass()
    : CommandBase({.Caption = "Update Road Classes",
                   .Name = "Update road classes",
                   .Tooltip = "Update road classes",
                   .Message = "Update the road class of the Network layer",
                   .BitmapId = 7059}) {}

void UpdateClass::click() {
  auto& state = shared_state();
  const auto map = focus_map();
  if (FindLayerIndex(map.get(), state.gNetworkLayerName, "L") == NoLayer) {
    show_message("No Network layer found", "Network Layer", forms::Icon::Information);
    return;
  }
  BusyPointer busy;
  const auto features = NetworkFeatureClass(map.get());

  // Each run judges the field afresh: a field the user has mended is usable again.
  const auto field = read_field_classes(*features);
  const std::vector<std::int32_t> classes =
      field ? field->classes : std::vector<std::int32_t>{DefaultRoadClass};
  // The engine's attribute file and "link.spd" change together: the build mark stands until
  // both are written, so that a kill between them is never opened as a healthy network.
  if (!PutBuildMark(state.gNetworkFolder)) {
    show_message("Road classes could not be updated: " + NetworkIniFile(state.gNetworkFolder) +
                     ".building cannot be written in the network folder.",
                 "Error", forms::Icon::Critical);
    return;
  }
  // The links stay as they are: only their classes change.
  MarkLinksKept(state.gNetworkFolder);
  if (!rebuild_engine_classes(attribute_lines(field, *features), field.has_value()))
    return;
  state.gAttributeFlag = field ? 0 : 1;

  std::vector<RoadClassSpeed> old_rows;
  for (std::int32_t row = 0; row < state.gRoadClassCount; ++row)
    old_rows.push_back(state.gRoadClassSpeeds[row]);
  const auto rows = RoadClassRows(old_rows, classes);
  // The speeds and names as they are now, so that the next opening of the network finds them;
  // those of classes that no longer occur are kept in "link.spd.bak".
  const auto speed_file = SpeedClassFile(state.gNetworkFolder);
  SettingsNotes notes;
  const auto field_name = settings::read(NetworkIniFile(state.gNetworkFolder), settings::Info,
                                         settings::AttributeField);
  if (const auto dropped = DroppedRoadClassCount(old_rows, classes);
      dropped > 0 &&
      !KeepOldSettings(
          speed_file, RoadClassesNotCarried(speed_file, dropped, field ? field_name : ""), notes)) {
    ShowSettingsNotes(notes);
    return;
  }
  StoreRoadClassRows(rows);
  // The engine has the new classes already, and the build mark stays: the next opening builds
  // the network again and carries the speeds over then.
  RequireSettingsWritten(
      settings::write_road_classes(speed_file, rows), speed_file,
      "The new road classes are in use; the network is built again when it is next opened.");
  StampNetworkEditedNow();
  RemoveBuildMark(state.gNetworkFolder);

  busy.reset();
  show_message("Road classes updated successfully", "Updated Successfully",
               forms::Icon::Information);
  ShowSettingsNotes(notes);
}

} // namespace corvane
