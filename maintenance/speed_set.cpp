#include "maintenance/speed_set.h"

#include "common/check_network_ready.h"
#include "common/show_message.h"
#include "dialogs/network/frm_set_speed.h"
#include "network/state/shared_state.h"

namespace corvane {

SpeedSet::SpeedSet()
    : CommandBase({.Caption = "Set Road Speeds",
                   .Name = "Set Road Speeds",
                   .Tooltip = "Set Road Speeds",
                   .Message = "Set the speeds for various road categories",
                   .BitmapId = 7054}) {}

void SpeedSet::click() {
  if (!CheckLeadingTests(LeadingTests::EditSessionAndSettingsFile))
    return;
  if (shared_state().gRoadClassCount < 1) {
    show_message("Attribute field not found", "Error", forms::Icon::Exclamation);
    return;
  }
  gFrmSetSpeedForm().Show(forms::ShowMode::Modal);
}

} // namespace corvane
