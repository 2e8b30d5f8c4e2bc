#include "dialogs/tsp/frm_tsp.h"

#include "common/unwritten_settings.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"
#include "network/state/stored_settings.h"

namespace corvane {

namespace {

std::string ini_file() {
  return NetworkIniFile(shared_state().gNetworkFolder);
}

} // namespace

FrmTsp::FrmTsp() : Form("FrmTsp", {.Caption = "TSP Options", .Width = 3255, .Height = 3075}) {
  CmdOk.Click = [this] { CmdOk_Click(); };
  CmdCancel.Click = [this] { Unload(); };
}

void FrmTsp::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void FrmTsp::Form_Activate() {
  const auto file = ini_file();
  // What cannot be read is the opening's to tell; here it leaves the selection as it stands.
  SettingsNotes not_shown;
  const auto stored = ReadStoredTspMode(win::ProfileSnapshot(file), file, not_shown);
  if (stored.kind)
    button_of(*stored.kind).SetValue(true);
  Check1.SetValue(stored.straight_line ? 1 : 0);
}

forms::OptionButton& FrmTsp::button_of(TourKind kind) {
  switch (kind) {
  case TourKind::RoundTrip:
    return OptClose;
  case TourKind::StartOnly:
    return OptSO;
  case TourKind::StartEnd:
    break;
  }
  return OptOpen;
}

void FrmTsp::CmdOk_Click() {
  auto& state = shared_state();
  // The buttons in the order the dialog always tested them.
  for (const auto kind : {TourKind::RoundTrip, TourKind::StartEnd, TourKind::StartOnly})
    if (button_of(kind).Value()) {
      state.gTspMode = {.kind = kind, .straight_line = Check1.Value() == 1};
      break;
    }
  if (!SettingsWritten(settings::write_tsp_mode(ini_file(), state.gTspMode), ini_file()))
    return;
  Unload();
}

FrmTsp& gFrmTspForm() {
  thread_local FrmTsp form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmTsp> registered_frmtsp;
} // namespace

} // namespace corvane
