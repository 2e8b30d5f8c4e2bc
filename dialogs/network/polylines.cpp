#include "dialogs/network/polylines.h"

#include "network/state/shared_state.h"

namespace corvane {

ChoiceDialog::ChoiceDialog(std::string name, std::int32_t& position)
    : Form(std::move(name), {.Caption = "", .Width = 4695, .Height = 2100}), position_(position) {
  position_ = 0;
  CmdOk.Click = [this] {
    const int chosen = Combo1.ListIndex();
    if (chosen < 0)
      return;
    shared_state().gPickedName = Combo1.Text();
    position_ = chosen;
    Unload();
  };
  Command1.Click = [this] {
    shared_state().gPickedName.clear();
    Unload();
  };
}

void ChoiceDialog::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void ChoiceDialog::Form_QueryUnload(int&, int UnloadMode) {
  // The callers read an empty choice as "stop"; a dialog closed by its frame chose nothing.
  if (UnloadMode == forms::FormControlMenu)
    shared_state().gPickedName.clear();
}

Polylines::Polylines() : ChoiceDialog("Polylines", shared_state().gPickedLayerIndex) {}

Polylines1::Polylines1() : ChoiceDialog("Polylines1", shared_state().gPickedFieldIndex) {}

Polylines& gPolylinesForm() {
  thread_local Polylines form;
  return form;
}

Polylines1& gPolylines1Form() {
  thread_local Polylines1 form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<Polylines> registered_polylines;
const forms::RegisteredForm<Polylines1> registered_polylines1;
} // namespace

} // namespace corvane
