#include "dialogs/network/frm_set_speed.h"

namespace corvane {

FrmSetSpeed::FrmSetSpeed()
    : Form("FrmSetSpeed", {.Caption = "Road Class Speeds", .Width = 5175, .Height = 3390}) {}

void FrmSetSpeed::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

FrmSetSpeed& gFrmSetSpeedForm() {
  thread_local FrmSetSpeed form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmSetSpeed> registered_frmsetspeed;
} // namespace

} // namespace corvane
