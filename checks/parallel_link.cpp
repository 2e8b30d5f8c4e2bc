#include "checks/parallel_link.h"

#include <string>

#include "checks/check_road.h"
#include "common/busy_pointer.h"
#include "common/check_network_ready.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

constexpr std::string_view ParallelLinks = "CV_RESULT<>0";

} // namespace

ParallelLink::ParallelLink()
    : CommandBase({.Caption = "Detect Parallel Links",
                   .Name = "Parallel Links",
                   .Tooltip = "parallel Links",
                   .Message = "Detects the Parallel Links in the Network",
                   .BitmapId = 7056}) {}

void ParallelLink::click() {
  RunWithErrorBox([&] {
    const auto map = focus_map();
    if (!CheckNetworkReady(map.get()))
      return;
    BusyPointer busy;
    RunEngineCheck([](tamix::NetCalc& calc) { return calc.FindParallelLinks(); },
                   CostReset::BeforeFind);
    const auto view = require(document()->ActiveView(), "ActiveView");
    map->ClearSelection();
    view->Refresh();
    SelectLinks(map.get(), view.get(), ParallelLinks);
    busy.reset();
    const std::int32_t count = CountLinks(map.get(), ParallelLinks);
    show_message(std::to_string(count) + "  Parallel links found in the present Network",
                 "Parallel Links", forms::Icon::Information);
    StampNetworkEdited();
  });
}

} // namespace corvane
