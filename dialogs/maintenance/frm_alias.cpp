#include "dialogs/maintenance/frm_alias.h"

#include <string>

#include "common/show_message.h"
#include "dialogs/network/frm_set_speed.h"
#include "network/state/shared_state.h"
#include "network/state/trim_blanks.h"

namespace corvane {

FrmAlias::FrmAlias() : Form("FrmAlias", {.Caption = "Alias", .Width = 3615, .Height = 1935}) {
  CmdOk.Click = [this] { CmdOk_Click(); };
  CmdCancel.Click = [this] {
    shared_state().gAliasText.clear();
    Unload();
  };
  Text1.KeyPress = [this](int& key) {
    if (key == forms::EnterKey)
      CmdOk_Click();
  };
}

void FrmAlias::Form_Load() {
  Move(4500, 3500, Width(), Height());
  // Closing by the frame hands over no name, never the one of an earlier showing.
  shared_state().gAliasText.clear();
}

void FrmAlias::Form_Activate() {
  const auto& classes = gFrmSetSpeedForm().List1;
  const auto name = classes.ListIndex() >= 0 ? classes.Text() : classes.List(0);
  Text1.SetText(name);
  Text1.SetSelection(0, static_cast<int>(name.size()));
}

void FrmAlias::CmdOk_Click() {
  auto& alias = shared_state().gAliasText;
  alias = trim_blanks(Text1.Text());
  // "link.spd" keeps one name a line.
  if (alias.empty() || alias.find_first_of("\r\n") != std::string::npos) {
    alias.clear();
    show_message("Invalid data", "Invalid", forms::Icon::Exclamation);
    return;
  }
  Unload();
}

FrmAlias& gFrmAliasForm() {
  thread_local FrmAlias form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmAlias> registered_frmalias;
} // namespace

} // namespace corvane
