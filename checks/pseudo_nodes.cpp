#include "checks/pseudo_nodes.h"

#include <string>
#include <string_view>

#include "checks/check_road.h"
#include "checks/join_column_file.h"
#include "checks/merge_joinable_chains.h"
#include "common/check_network_ready.h"
#include "common/layer_lookup.h"
#include "common/result_field.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "dialogs/checks/back.h"
#include "dialogs/checks/frm_unused_link.h"
#include "dialogs/checks/link_limit.h"
#include "host/fields.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "tamix/network_file_names.h"
#include "win/file_system_object.h"
#include "win/paths.h"

namespace corvane {

namespace {

constexpr std::string_view JoinedLinks = "CV_RESULT <> 0";
constexpr int ObjectIdType = 6;
constexpr int GeometryType = 7;

// Asks for the join column and writes its file: the path for the engine, "" for none; nullopt
// when the user ends the command here.
std::optional<std::string> ask_join_column(host::HostMap* map) {
  const auto answer =
      show_message("Do you want to use a column as join delimiter\r(Usually the streetname)?",
                   "Join Column", forms::Icon::None, forms::Buttons::YesNo);
  if (answer != forms::Answer::Yes)
    return std::string();
  auto& dialog = gFrmUnusedLinkForm();
  dialog.Combo1.Clear();
  const auto fields = require(NetworkFeatureClass(map)->Fields(), "Fields");
  for (int k = 0; k < fields->FieldCount(); ++k) {
    const auto field = require(fields->Field(k), "Field");
    if (field->Type() == ObjectIdType || field->Type() == GeometryType)
      continue;
    dialog.Combo1.AddItem(field->Name());
    dialog.Combo1.SetText(dialog.Combo1.List(0));
  }
  if (dialog.Combo1.ListCount() == 0)
    return std::nullopt;
  shared_state().gUnusedLinkDialogResult = 0;
  dialog.Show(forms::ShowMode::Modal);
  auto& state = shared_state();
  if (state.gUnusedLinkDialogResult == 0)
    return std::nullopt;
  // A failure while writing deletes the file and counts as CANCEL.
  try {
    WriteJoinColumnFile(NetworkFeatureClass(map).get(), state.gJoinFieldName);
  } catch (const HandlerEnd&) {
    state.gUnusedLinkDialogResult = 0;
    return std::nullopt;
  }
  return JoinColumnFilePath();
}

bool confirmed(forms::Form& dialog, std::int32_t& result) {
  result = 0;
  dialog.Show(forms::ShowMode::Modal);
  return result == 1;
}

// The next opening builds the network again from the joined links: without "attribute.bin"
// the network files are incomplete. Only one file goes, so that the build still finds the old
// links to compare the new ones against, and tells the user that the road layer changed.
void remove_network_files() {
  const auto& folder = shared_state().gNetworkFolder;
  const win::FileSystemObject files;
  for (const std::string_view name : {tamix::attribute_file, tamix::node_file}) {
    const auto path = win::join_path(folder, name);
    if (!files.FileExists(path))
      continue;
    if (!files.DeleteFile(path, true))
      throw HandlerEnd("cannot delete " + path);
    return;
  }
}

} // namespace

PseudoNodes::PseudoNodes()
    : CommandBase({.Caption = "Remove Pseudo Nodes",
                   .Name = "Remove Pseudo Nodes",
                   .Tooltip = "Remove Pseudo Node",
                   .Message = "Detects the Pseudo Nodes and join the links, Removing Pseudo Nodes.",
                   .BitmapId = 7060}) {}

void PseudoNodes::click() {
  RunWithErrorBox([&] {
    const auto map = focus_map();
    if (!CheckNetworkReady(map.get()))
      return;
    const auto network = NetworkFeatureClass(map.get());
    if (JoinColumnFileIsForeign(network.get())) {
      show_message(JoinColumnFilePath() +
                       " is not a join column file of this add-in (one line per link of the "
                       "network layer), and removing pseudo nodes writes its join column there. "
                       "Move or rename it, then try again.",
                   "Join Column", forms::Icon::Exclamation);
      return;
    }
    DeleteJoinColumnFile(network.get());
    const auto join_file = ask_join_column(map.get());
    auto& state = shared_state();
    if (!join_file || !confirmed(gBackForm(), state.gBackDialogResult))
      return;

    auto& base = *require(state.gNetBase, "NetBase");
    auto& calc = *require(state.gNetCalc, "NetCalc");
    state.gCallResult = base.ResetLinkCosts(-1);
    EngineChecked(calc.SetResultTable(state.gNetworkLayerName + ".dbf"));
    EngineChecked(calc.SetResultField(std::string(ResultFieldName)));
    EngineChecked(calc.ClearResultField(-1, 0));
    if (!confirmed(gLinkLimitForm(), state.gLinkLimitOk))
      return;
    EngineChecked(calc.FindJoinableLinks(state.gLinkLimitValue, *join_file));
    EngineChecked(calc.WriteResults());

    const auto answer = show_message("Do you want Corvane to perform the actual\nCombine of "
                                     "elements (Yes)or do you want to\ndo it yourself (NO)",
                                     "Combine Elements", forms::Icon::None, forms::Buttons::YesNo);
    if (answer != forms::Answer::Yes) {
      require_as<host::HostFeatureSelection>(NetworkLayer(map.get()), "selection")->Clear();
      SelectLinks(map.get(), require(document()->ActiveView(), "ActiveView").get(), JoinedLinks,
                  SelectionMethod::New);
      show_message("Done", "JOIN LINKS", forms::Icon::Information);
      StampNetworkEdited();
      return;
    }
    if (MergeJoinableChains(map.get()) != MergeOutcome::Merged)
      return;
    remove_network_files();
    StampNetworkEdited();
    show_message("Current Network has changed. Create the Network again", "Network Change",
                 forms::Icon::Information);
    DeleteJoinColumnFile(network.get());
    base.Unload();
  });
}

} // namespace corvane
