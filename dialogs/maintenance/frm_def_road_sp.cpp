#include "dialogs/maintenance/frm_def_road_sp.h"

#include "network/state/shared_state.h"

namespace corvane {

FrmDefRoadSp::FrmDefRoadSp()
    : Form("FrmDefRoadSp", {.Caption = "Default Speed", .Width = 3255, .Height = 1470}) {
  CmdAll.Click = [this] { choose(ChoiceAll); };
  CmdSelect.Click = [this] { choose(ChoiceSelect); };
}

void FrmDefRoadSp::Form_Load() {
  Move(4500, 3000, Width(), Height());
  shared_state().gDefRoadChoice.clear();
}

void FrmDefRoadSp::choose(std::string_view choice) {
  shared_state().gDefRoadChoice = std::string(choice);
  Unload();
}

FrmDefRoadSp& gFrmDefRoadSpForm() {
  thread_local FrmDefRoadSp form;
  return form;
}

std::string AskAllOrSelect(std::string caption) {
  auto& dialog = gFrmDefRoadSpForm();
  dialog.SetCaption(std::move(caption));
  dialog.Show(forms::ShowMode::Modal);
  return shared_state().gDefRoadChoice;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmDefRoadSp> registered_frmdefroadsp;
} // namespace

} // namespace corvane
