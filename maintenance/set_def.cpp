#include "maintenance/set_def.h"

#include "addin/network_loaded.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"

namespace corvane {

SetDef::SetDef()
    : LinkListTool({.Caption = "Set Default Speed",
                    .Name = "Set Default Speed",
                    .Tooltip = "Set Default Speed",
                    .Message = "Sets the Road Speed to it's Original Value",
                    .BitmapId = 7031},
                   {.list = TempSpeedList,
                    .caption = "Set Default Speed",
                    .with_labels = false,
                    .select_text = "Click on the road to set the default speed",
                    .click_tests = LeadingTests::EditSessionAndSettingsFile,
                    .no_link_text = "No feature found with TEMPORARY Speed"}) {}

bool SetDef::may_ask() {
  if (!network_loaded())
    return false;
  if (shared_state().gTempSpeedCount == 0) {
    show_message("No features found with TEMPORARY Speed", "Features Not Found",
                 forms::Icon::Exclamation);
    return false;
  }
  return true;
}

void SetDef::answered() {
  StampNetworkEdited();
}

} // namespace corvane
