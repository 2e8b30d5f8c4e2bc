#include "checks/unused_link.h"

#include <string>

#include "checks/check_road.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/network_projection.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

constexpr std::string_view UnusedLinks = "CV_RESULT = 1 or CV_RESULT = 2";

} // namespace

UnusedLink::UnusedLink()
    : CommandBase({.Caption = "Show Unused Links",
                   .Name = "UnusedLink",
                   .Tooltip = "Detect Unused Link",
                   .Message = "Detects the Unused Links in the Network",
                   .BitmapId = 7058}) {}

void UnusedLink::click() {
  RunWithErrorBox([&] {
    const auto map = focus_map();
    if (!CheckNetworkReady(map.get()) || !NetworkProjectionPresent())
      return;
    BusyPointer busy;
    RunEngineCheck([](tamix::NetCalc& calc) { return calc.FindUnusedLinks(); },
                   CostReset::BeforeFind);
    const std::int32_t found = CountLinks(map.get(), UnusedLinks);
    if (found < 1) {
      busy.reset();
      show_message("No Unused links found", "UNUSED LINK", forms::Icon::Information);
      return;
    }
    // Added to what the user selected before: the map's selection is not cleared.
    SelectLinks(map.get(), require(document()->ActiveView(), "ActiveView").get(), UnusedLinks);
    busy.reset();
    show_message(std::to_string(found) +
                     "  Unused Links found in the present Network",
                 "Unused Links", forms::Icon::Information);
    StampNetworkEdited();
  });
}

} // namespace corvane
