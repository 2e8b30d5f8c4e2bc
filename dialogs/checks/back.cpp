#include "dialogs/checks/back.h"

#include "network/state/shared_state.h"

namespace corvane {

Back::Back() : AnswerForm("Back", {.Caption = "Join Links", .Width = 4695, .Height = 1950}) {
  answer_with(Backup, [] { shared_state().gBackDialogResult = 0; });
  answer_with(Continue, [] { shared_state().gBackDialogResult = 1; });
}

void Back::Form_Load() {
  Move(3000, 3000, Width(), Height());
  shared_state().gBackDialogResult = 0;
}

Back& gBackForm() {
  thread_local Back form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<Back> registered_back;
} // namespace

} // namespace corvane
