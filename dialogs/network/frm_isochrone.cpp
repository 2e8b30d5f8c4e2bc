#include "dialogs/network/frm_isochrone.h"

#include <string>

#include "com/numbers.h"
#include "network/shared_state.h"

namespace corvane {

FrmIsochrone::FrmIsochrone()
    : Form("FrmIsochrone", {.Caption = "Isochrone Zones", .Width = 3855, .Height = 2910}) {
  List1.Click = [this] {
    const int position = List1.ListIndex();
    if (position < 0)
      return;
    const auto& zones = shared_state().gZoneValues;
    Text1.SetText(com::number_text(zones[position + 1], com::single_digits));
  };
}

void FrmIsochrone::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void FrmIsochrone::ListZones(bool clear_first) {
  if (clear_first)
    List1.Clear();
  const auto count = shared_state().gZoneCount;
  for (std::int32_t zone = 1; zone <= count; ++zone)
    List1.AddItem("Zone " + std::to_string(zone));
  if (count >= 1)
    List1.SetListIndex(0);
}

FrmIsochrone& gFrmIsochroneForm() {
  thread_local FrmIsochrone form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmIsochrone> registered_frmisochrone;
} // namespace

} // namespace corvane
