#include "dialogs/network/frm_set_speed.h"

#include <string>
#include <vector>

#include "com/numbers.h"
#include "common/show_message.h"
#include "common/typed_number.h"
#include "common/unwritten_settings.h"
#include "dialogs/maintenance/frm_alias.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network/state/speed_units.h"

namespace corvane {

namespace {

constexpr std::int32_t EngineKilometers = 0;
constexpr std::int32_t EngineMiles = 1;

// The selected list position as a row of gRoadClassSpeeds, or nothing.
RoadClassSpeed* selected_row(const forms::ListBox& list) {
  auto& state = shared_state();
  const int position = list.ListIndex();
  if (position < 0 || position > state.gRoadClassSpeeds.upper())
    return nullptr;
  return &state.gRoadClassSpeeds[position];
}

} // namespace

FrmSetSpeed::FrmSetSpeed()
    : Form("FrmSetSpeed", {.Caption = "Road Speeds", .Width = 5175, .Height = 3390}) {
  List1.Click = [this] { show_speed(); };
  optkm.Click = [this] { show_speed(); };
  optmile.Click = [this] { show_speed(); };
  CmdUpdate.Click = [this] { update(); };
  CmdOk.Click = [this] { save_and_close(); };
  // "&CANCEL" saves exactly as "&OK" does: the dialog has always worked so, and its users
  // rely on it.
  Command1.Click = [this] { save_and_close(); };
  CmdEdit.Click = [this] { edit_alias(); };
}

void FrmSetSpeed::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void FrmSetSpeed::Form_Activate() {
  auto& state = shared_state();
  List1.Clear();
  for (std::int32_t row = 0; row < state.gRoadClassCount; ++row)
    List1.AddItem(state.gRoadClassSpeeds[row].Alias);
  select_first_like(0);
  const auto units = require(state.gNetBase, "NetBase")->GetDistanceUnits();
  if (units == EngineKilometers)
    optkm.SetValue(true);
  else if (units == EngineMiles)
    optmile.SetValue(true);
  if (state.gSpeedAliasEdited == 1)
    select_first_like(state.gSpeedAliasRow);
}

void FrmSetSpeed::select_first_like(int position) {
  if (position < 0 || position >= List1.ListCount())
    return;
  const auto text = List1.List(position);
  for (int item = 0; item < List1.ListCount(); ++item)
    if (List1.List(item) == text)
      return List1.SetListIndex(item);
}

void FrmSetSpeed::show_speed() {
  const auto* row = selected_row(List1);
  if (!row)
    return;
  if (optkm.Value())
    txtspdval.SetText(com::number_text(row->SpeedKmph, com::single_digits));
  else if (optmile.Value())
    txtspdval.SetText(com::number_text(row->SpeedMph, com::single_digits));
}

bool FrmSetSpeed::update() {
  auto* row = selected_row(List1);
  if (!row)
    return false;
  if (!optkm.Value() && !optmile.Value())
    return true;
  const bool in_mph = optmile.Value();
  // An entry that is no number is refused as one below the lowest speed is.
  const auto typed = TypedNumber(txtspdval.Text());
  const auto speeds = typed ? speeds_of(*typed, in_mph) : std::nullopt;
  if (!speeds || speeds->mph < 1.0) {
    show_message("Invalid data", "Invalid data", forms::Icon::Information);
    row->SpeedKmph = KmphOfOneMph;
    row->SpeedMph = 1;
    txtspdval.SetText(in_mph ? "1" : "1.609342");
    return true;
  }
  row->SpeedKmph = static_cast<float>(speeds->kmph);
  row->SpeedMph = static_cast<float>(speeds->mph);
  return true;
}

void FrmSetSpeed::save_and_close() {
  if (!update())
    return;
  auto& state = shared_state();
  const auto file = SpeedClassFile(state.gNetworkFolder);
  // Every row of the table, as the opening read them, whatever count the file holds: a count
  // edited by hand (beyond the table, below it, or no count at all; the opening named it) must
  // neither save classes that do not exist nor drop a speed just set.
  const auto count = state.gRoadClassCount;
  std::vector<RoadClassSpeed> classes;
  for (std::int32_t row = 0; row < count; ++row)
    classes.push_back(state.gRoadClassSpeeds[row]);
  if (!SettingsWritten(settings::write_road_class_speeds(file, classes), file))
    return;
  state.gSpeedAliasEdited = 0;
  Unload();
}

void FrmSetSpeed::edit_alias() {
  auto& state = shared_state();
  const int position = List1.ListIndex();
  auto* row = selected_row(List1);
  if (!row)
    return;
  state.gSpeedAliasRow = position;
  gFrmAliasForm().Show(forms::ShowMode::Modal);
  if (!state.gAliasText.empty()) {
    row->Alias = state.gAliasText;
    List1.SetList(position, state.gAliasText);
    const auto file = SpeedClassFile(state.gNetworkFolder);
    if (!SettingsWritten(settings::write_road_class_alias(file, row->ClassValue, state.gAliasText),
                         file))
      return;
  }
  state.gSpeedAliasEdited = 1;
  // The dialog comes back to the front once this handler is done: the renamed class shows
  // selected again.
  Form_Activate();
}

FrmSetSpeed& gFrmSetSpeedForm() {
  thread_local FrmSetSpeed form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmSetSpeed> registered_frmsetspeed;
} // namespace

} // namespace corvane
