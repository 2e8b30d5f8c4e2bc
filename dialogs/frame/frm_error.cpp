#include "dialogs/frame/frm_error.h"

namespace corvane {

FrmError::FrmError() : Form("FrmError", {.Caption = "Errors", .Width = 4575, .Height = 2760}) {
  Command1.Click = [this] { Unload(); };
  SetProblemList(List1);
}

void FrmError::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmError> registered_frmerror;
} // namespace

} // namespace corvane
