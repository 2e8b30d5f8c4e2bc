#include "maintenance/open_link.h"

namespace corvane {

OpenLink::OpenLink()
    : LinkListTool({.Caption = "Open Road",
                    .Name = "Open Road",
                    .Tooltip = "Open Road",
                    .Message = "Open the Closed Road(s)",
                    .BitmapId = 7035},
                   {.list = ClosedRoadList,
                    .caption = "OPEN ROAD",
                    .with_labels = true,
                    .select_text = "Click on the road to be opened",
                    .click_tests = LeadingTests::EditSession,
                    .no_link_text = "No feature selected",
                    .stamps_edited = false}) {}

} // namespace corvane
