#include "dialogs/maintenance/frm_dyna_road_sp.h"

#include "common/show_message.h"
#include "common/typed_number.h"
#include "network/state/shared_state.h"
#include "network/state/speed_units.h"

namespace corvane {

FrmDynaRoadSP::FrmDynaRoadSP()
    : Form("FrmDynaRoadSP", {.Caption = "Change Road Speed", .Width = 3615, .Height = 2445}) {
  CmdUpdate.Click = [this] { CmdUpdate_Click(); };
  CmdCancel.Click = [this] {
    shared_state().gTempSpeedDialogOk = 0;
    Unload();
  };
  Text1.KeyPress = [this](int& key) {
    if (key == forms::EnterKey)
      CmdUpdate_Click();
  };
}

void FrmDynaRoadSP::Form_Load() {
  Move(4500, 3000, Width(), Height());
  shared_state().gTempSpeedDialogOk = 0;
}

void FrmDynaRoadSP::CmdUpdate_Click() {
  auto& state = shared_state();
  state.gTempSpeedText = Text1.Text();
  const auto speed = TypedNumber(state.gTempSpeedText);
  // A speed beyond single precision could not be sent to the engine.
  if (!speed || !speeds_of(*speed, optMph.Value())) {
    show_message("Enter a valid speed value", "Invalid value");
    return;
  }
  if (optKmph.Value() && *speed < LowestTempSpeedKmph) {
    show_message("Value cannot be less than 1 mph i.e. 1.6093 kmph. Setting to 1.6093 kmph", "Info",
                 forms::Icon::Information);
    Text1.SetText("1.6093");
    return;
  }
  if (optMph.Value() && *speed < LowestTempSpeedMph) {
    show_message("Value cannot be less than 1 mph. Setting to 1 mph", "Info",
                 forms::Icon::Information);
    Text1.SetText("1");
    return;
  }
  state.gTempSpeedInKmph = optKmph.Value() ? 1 : 0;
  state.gTempSpeedInMph = optMph.Value() ? 1 : 0;
  state.gTempSpeedDialogOk = 1;
  Unload();
}

FrmDynaRoadSP& gFrmDynaRoadSPForm() {
  thread_local FrmDynaRoadSP form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmDynaRoadSP> registered_frmdynaroadsp;
} // namespace

} // namespace corvane
