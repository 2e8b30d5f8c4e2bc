#include "dialogs/tsp/add_field.h"

#include "network/state/shared_state.h"

namespace corvane {

namespace {

// Also what a close by the frame answers: no field was chosen, whatever the last showing chose.
void no_field() {
  shared_state().gAddFieldOk = 0;
}

} // namespace

AddField::AddField()
    : AnswerForm("AddField", {.Caption = "TSP from Table", .Width = 3735, .Height = 1950},
                 no_field) {
  answer_with(CmdOK, [this] {
    auto& state = shared_state();
    state.gAddFieldOk = 1;
    state.gAddFieldName = Combo1.Text();
  });
  answer_with(CmdCan, no_field);
}

void AddField::Form_Load() {
  Move(3000, 3000, Width(), Height());
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
