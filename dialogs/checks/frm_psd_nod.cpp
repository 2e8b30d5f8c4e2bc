#include "dialogs/checks/frm_psd_nod.h"

namespace corvane {

FrmPsdNod::FrmPsdNod()
    : Form("FrmPsdNod", {.Caption = "Removing Pseudo Nodes", .Width = 4695, .Height = 1500}) {}

FrmPsdNod& gFrmPsdNodForm() {
  thread_local FrmPsdNod form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmPsdNod> registered_frmpsdnod;
} // namespace

} // namespace corvane
