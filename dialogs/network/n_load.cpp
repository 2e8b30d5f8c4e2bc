#include "dialogs/network/n_load.h"

namespace corvane {

NLoad::NLoad() : Form("NLoad", {.Caption = "Loading Network", .Width = 4695, .Height = 1800}) {}

void NLoad::Form_Load() {
  ProgressBar1.SetMax(100);
  ProgressBar1.SetMin(0);
}

NLoad& gNLoadForm() {
  thread_local NLoad form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<NLoad> registered_nload;
} // namespace

} // namespace corvane
