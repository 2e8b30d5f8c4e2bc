#include "dialogs/isochrones/legend.h"

#include "network/state/shared_state.h"

namespace corvane {

Legend::Legend() : Form("Legend", {.Caption = "Legend", .Width = 2400, .Height = 1785}) {
  Commandok.Click = [this] {
    auto& state = shared_state();
    if (Costw.Value())
      state.gLegendType = LegendByCost;
    else if (Zonew.Value())
      state.gLegendType = LegendByNearestCentre;
    Unload();
  };
}

void Legend::Form_Load() {
  Move(3000, 3000, Width(), Height());
}

void Legend::Form_Activate() {
  const auto type = shared_state().gLegendType;
  if (type == LegendByCost)
    Costw.SetValue(true);
  else if (type == LegendByNearestCentre)
    Zonew.SetValue(true);
}

Legend& gLegendForm() {
  thread_local Legend form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<Legend> registered_legend;
} // namespace

} // namespace corvane
