#include "dialogs/routing/frm_gezz1.h"

#include "common/show_message.h"
#include "network/state/shared_state.h"

namespace corvane {

FrmGezz1::FrmGezz1() : Form("FrmGezz1", {.Caption = "Selection", .Width = 4215, .Height = 4230}) {
  CmbOK.Click = [this] { CmbOK_Click(); };
  CmbCancel.Click = [this] { CmbCancel_Click(); };
  Gezz1List.DblClick = [this] { CmbOK_Click(); };
  Gezz1List.KeyDown = [this](int& key, int) {
    if (key == forms::EnterKey)
      CmbOK_Click();
  };
}

void FrmGezz1::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void FrmGezz1::CmbOK_Click() {
  auto& state = shared_state();
  const std::string chosen = Gezz1List.Text();
  if (chosen.empty()) {
    show_message("No selection found", "Select", forms::Icon::Exclamation);
    return;
  }
  state.gGazetteerMatches.assign(1, chosen);
  state.gGazetteerPickIndex = Gezz1List.ListIndex();
  state.gGazetteerPickState = 1;
  Unload();
}

void FrmGezz1::CmbCancel_Click() {
  shared_state().gGazetteerPickState = 2;
  Unload();
}

FrmGezz1& gFrmGezz1Form() {
  thread_local FrmGezz1 form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmGezz1> registered_frmgezz1;
} // namespace

} // namespace corvane
