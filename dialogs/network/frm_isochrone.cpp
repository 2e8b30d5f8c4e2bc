#include "dialogs/network/frm_isochrone.h"

#include <algorithm>
#include <string>
#include <vector>

#include "com/numbers.h"
#include "common/busy_pointer.h"
#include "common/show_message.h"
#include "common/show_settings_notes.h"
#include "common/typed_number.h"
#include "common/unwritten_settings.h"
#include "network/state/handler_end.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network/state/stored_settings.h"
#include "network/state/zone_limits.h"

namespace corvane {

namespace {

std::string zone_row(std::int32_t zone) {
  return "Zone " + std::to_string(zone);
}

// Reads [ISOCHRONE] of the network's "Corvane.ini" once into the zone list; what cannot be used
// is named in one message.
void read_zone_list() {
  const auto ini = NetworkIniFile(shared_state().gNetworkFolder);
  SettingsNotes notes;
  StoreZoneList(ReadStoredZones(win::ProfileSnapshot(ini), ini, notes));
  ShowSettingsNotes(notes);
}

} // namespace

FrmIsochrone::FrmIsochrone()
    : Form("FrmIsochrone", {.Caption = "Isochrone Options", .Width = 3435, .Height = 4995}) {
  List1.Click = [this] {
    const int row = List1.ListIndex();
    if (row < 0)
      return;
    Text1.SetText(com::number_text(shared_state().gZoneValues[row + 1], com::single_digits));
  };
  CmdAdd.Click = [this] { CmdAdd_Click(); };
  CmdDelete.Click = [this] { CmdDelete_Click(); };
  CmdUpdate.Click = [this] { CmdUpdate_Click(); };
  Text1.KeyDown = [this](int& key, int) {
    if (key == forms::EnterKey)
      CmdUpdate_Click();
  };
  OverlapOpt.Click = [this] {
    shared_state().gAllowOverlap = OverlapOpt.Value() == 1 ? Overlap::Allowed : Overlap::None;
  };
  ClipCombo.Click = [this] { ClipCombo_Click(); };
  CmdOk.Click = [this] { CmdOk_Click(); };
  CmdCancel.Click = [this] { Unload(); };
}

void FrmIsochrone::Form_Load() {
  SetDefaultPointer();
  Move(3000, 3000, Width(), Height());
}

void FrmIsochrone::Form_Activate() {
  auto& state = shared_state();
  if (ClipCombo.ListCount() == 0) {
    ClipCombo.SetEnabled(false);
    ClipCombo.SetText("");
    state.gClipMode = ClipMode::Off;
    ClipPoly.SetEnabled(false);
    ClipPoly.SetValue(0);
  }
  read_zone_list();
  ListZones(true);
  // Showing the dialog never lowers the cut-off the tools use; only OK sets it.
  for (std::int32_t zone = 1; zone <= state.gZoneCount; ++zone)
    state.gZoneMax = std::max(state.gZoneMax, state.gZoneValues[zone]);
  ClipPoly.SetValue(state.gClipMode == ClipMode::ToLayer ? 1 : 0);
  Check1.SetValue(state.gDoughnut ? 1 : 0);
  if (state.gZoneCount >= 1)
    List1.SetFocus();
  OverlapOpt.SetValue(state.gAllowOverlap == Overlap::Allowed ? 1 : 0);
}

void FrmIsochrone::ListZones(bool clear_first) {
  if (clear_first)
    List1.Clear();
  const auto count = shared_state().gZoneCount;
  for (std::int32_t zone = 1; zone <= count; ++zone)
    List1.AddItem(zone_row(zone));
  if (count >= 1)
    List1.SetListIndex(0);
}

void FrmIsochrone::CmdAdd_Click() {
  auto& zones = shared_state().gZoneValues;
  const std::int32_t added = List1.ListCount() + 1;
  if (added > settings::MaxZoneCount) {
    const std::string most = std::to_string(settings::MaxZoneCount);
    show_message("The zone list holds at most " + most +
                     " zones, the most the polygon tools can draw",
                 "Too many zones", forms::Icon::Exclamation);
    return;
  }
  zones.resize(std::max(zones.upper(), added));
  List1.AddItem(zone_row(added));
  zones[added] = 0;
}

void FrmIsochrone::CmdDelete_Click() {
  const int row = List1.ListIndex();
  if (row < 0) {
    show_message("No selection found", "Select Zone", forms::Icon::Information);
    return;
  }
  List1.RemoveItem(row);
  Text1.SetText("");
  const int remaining = List1.ListCount();
  for (int k = 1; k <= remaining; ++k)
    List1.SetList(k - 1, "Zone" + std::to_string(k));
  // The later limits move up one row; the list keeps its length, the last row its value.
  auto& zones = shared_state().gZoneValues;
  for (int j = row; j < remaining; ++j)
    zones[j + 1] = zones[j + 2];
}

void FrmIsochrone::CmdUpdate_Click() {
  // Text that is no number is refused as a negative one is: a limit is stored only as typed.
  const auto typed = TypedNumber(Text1.Text());
  if (!typed || *typed < 0) {
    show_message("Enter positive value", "Error", forms::Icon::Exclamation);
    return;
  }
  const double value = *typed;
  const int row = List1.ListIndex();
  if (row < 0)
    return;
  const auto limit = com::to_single(value);
  if (!limit) {
    show_message("Enter a value below 3.4E+38", "Error", forms::Icon::Exclamation);
    return;
  }
  shared_state().gZoneValues[row + 1] = *limit;
}

void FrmIsochrone::ClipCombo_Click() {
  auto& state = shared_state();
  if (ClipPoly.Value() == 1) {
    state.gClipLayerName = ClipCombo.Text();
    state.gClipMode = ClipMode::ToLayer;
  } else {
    state.gClipMode = ClipMode::Off;
  }
}

void FrmIsochrone::CmdOk_Click() {
  auto& state = shared_state();
  const std::int32_t count = List1.ListCount();
  state.gZoneCount = count;
  const auto limits = ZoneLimits();
  if (std::ranges::adjacent_find(limits, std::ranges::greater()) != limits.end()) {
    show_message("Enter zone values in ascending order for better result", "Info",
                 forms::Icon::Information);
    List1.SetFocus();
    return;
  }
  state.gAllowOverlap = OverlapOpt.Value() == 1 ? Overlap::Allowed : Overlap::None;
  state.gDoughnut = Check1.Value() == 1;
  state.gZoneMax = std::max(0.0F, limits.empty() ? 0.0F : std::ranges::max(limits));
  ClipCombo_Click();
  const auto ini = NetworkIniFile(state.gNetworkFolder);
  if (!SettingsWritten(settings::write_zones(ini, limits), ini))
    return;
  Unload();
}

FrmIsochrone& gFrmIsochroneForm() {
  thread_local FrmIsochrone form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmIsochrone> registered_frmisochrone;
} // namespace

} // namespace corvane
