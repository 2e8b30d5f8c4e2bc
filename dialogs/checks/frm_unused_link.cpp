#include "dialogs/checks/frm_unused_link.h"

#include "checks/join_column_file.h"
#include "common/layer_lookup.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

FrmUnusedLink::FrmUnusedLink()
    : AnswerForm("FrmUnusedLink", {.Caption = "Street Name Field", .Width = 3735, .Height = 1950}) {
  OkCmd.Click = [this] { accept(); };
  answer_with(CanCmd, [] { shared_state().gUnusedLinkDialogResult = 0; });
}

void FrmUnusedLink::Form_Load() {
  Move(3000, 3000, Width(), Height());
  shared_state().gUnusedLinkDialogResult = 0;
}

void FrmUnusedLink::accept() {
  auto& state = shared_state();
  state.gJoinFieldName = Combo1.Text();
  try {
    const auto map = require(require(state.gDocument, "gDocument")->FocusMap(), "FocusMap");
    WriteJoinColumnFile(NetworkFeatureClass(map.get()).get(), state.gJoinFieldName);
    state.gUnusedLinkDialogResult = 1;
  } catch (const HandlerEnd&) {
    state.gUnusedLinkDialogResult = 0;
  }
  Unload();
}

FrmUnusedLink& gFrmUnusedLinkForm() {
  thread_local FrmUnusedLink form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmUnusedLink> registered_frmunusedlink;
} // namespace

} // namespace corvane
