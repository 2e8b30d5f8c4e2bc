#include "dialogs/tsp/frm_tsp.h"

#include "common/unwritten_settings.h"
#include "network/state/settings_files.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

constexpr std::int32_t StartEnd = 0;
constexpr std::int32_t RoundTrip = 1;
constexpr std::int32_t StartOnly = 2;
constexpr std::int32_t StraightLine = 10;

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
  // "Default" (a missing key) reads as 0; a code the dialog does not know leaves the selection.
  const double mode = settings::read_number(file, settings::Info, settings::TspMode);
  if (mode == RoundTrip)
    OptClose.SetValue(true);
  else if (mode == StartEnd)
    OptOpen.SetValue(true);
  else if (mode == StartOnly)
    OptSO.SetValue(true);
  const bool straight =
      settings::read(file, settings::Info, settings::TspStraightLine).starts_with("Yes");
  Check1.SetValue(straight ? 1 : 0);
}

void FrmTsp::CmdOk_Click() {
  auto& state = shared_state();
  const bool straight = Check1.Value() == 1;
  for (const auto& [button, base] : {std::pair{&OptClose, RoundTrip}, std::pair{&OptOpen, StartEnd},
                                     std::pair{&OptSO, StartOnly}})
    if (button->Value()) {
      state.gTspMode = base + (straight ? StraightLine : 0);
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
