#include "dialogs/tsp/tsp_table.h"

#include <algorithm>

#include "network/state/shared_state.h"

namespace corvane {

// The command reads the outcome after the dialog has gone: a window closed by its frame made no
// choice, so the run must not start with the choice of an earlier showing.
TspTable::TspTable()
    : AnswerForm("TspTable", {.Caption = "TSP from Table", .Width = 3735, .Height = 1950},
                 [] { shared_state().gTspTableCancelled = 1; }) {
  SeltTab.Click = [this] { shared_state().gTspTableLayerIndex = SeltTab.ListIndex(); };
  answer_with(TabOk, [this] {
    auto& state = shared_state();
    state.gTspTableLayerIndex = std::max(SeltTab.ListIndex(), 0);
    state.gTspTableLayerName = SeltTab.Text();
    state.gTspTableCancelled = 0;
  });
  answer_with(TabCan, [] {
    auto& state = shared_state();
    state.gTspTableLayerName = "";
    state.gTspTableCancelled = 1;
  });
}

void TspTable::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

TspTable& gTspTableForm() {
  thread_local TspTable form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<TspTable> registered_tsptable;
} // namespace

} // namespace corvane
