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

void ShowProblemList(const std::vector<std::string>& problems) {
  if (problems.empty())
    return;
  FrmError errors;
  errors.List1.Clear();
  for (const auto& line : problems)
    errors.List1.AddItem(line);
  errors.Show(forms::ShowMode::Modal);
}

} // namespace corvane
