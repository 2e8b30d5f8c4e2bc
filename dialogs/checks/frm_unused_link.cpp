#include "dialogs/checks/frm_unused_link.h"

#include "network/state/shared_state.h"

namespace corvane {

FrmUnusedLink::FrmUnusedLink()
    : AnswerForm("FrmUnusedLink", {.Caption = "Street Name Field", .Width = 3735, .Height = 1950}) {
  answer_with(OkCmd, [this] {
    auto& state = shared_state();
    state.gJoinFieldName = Combo1.Text();
    state.gUnusedLinkDialogResult = 1;
  });
  answer_with(CanCmd, [] { shared_state().gUnusedLinkDialogResult = 0; });
}

void FrmUnusedLink::Form_Load() {
  Move(3000, 3000, Width(), Height());
  shared_state().gUnusedLinkDialogResult = 0;
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
