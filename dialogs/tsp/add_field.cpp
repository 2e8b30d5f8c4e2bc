#include "dialogs/tsp/add_field.h"

#include "network/shared_state.h"

namespace corvane {

AddField::AddField()
    : Form("AddField", {.Caption = "TSP from Table", .Width = 3735, .Height = 1950}) {
  CmdOK.Click = [this] {
    auto& state = shared_state();
    state.gAddFieldOk = 1;
    state.gAddFieldName = Combo1.Text();
    Unload();
  };
  CmdCan.Click = [this] {
    shared_state().gAddFieldOk = 0;
    Unload();
  };
}

void AddField::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void AddField::Form_QueryUnload(int&, int UnloadMode) {
  // Closed by its frame: no field was chosen, whatever the last showing chose.
  if (UnloadMode == forms::FormControlMenu)
    shared_state().gAddFieldOk = 0;
}

AddField& gAddFieldForm() {
  thread_local AddField form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<AddField> registered_addfield;
} // namespace

} // namespace corvane
