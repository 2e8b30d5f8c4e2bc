#include "maintenance/set_def.h"

#include "common/show_message.h"
#include "network/state/network_loaded.h"

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
                    .no_link_text = "No feature found with TEMPORARY Speed",
                    .stamps_edited = true}) {}

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

} // namespace corvane
