#include "common/click_point.h"

#include <cstdio>
#include <string>

#include "com/error_info.h"
#include "common/finite_point.h"
#include "common/node_search.h"
#include "common/show_message.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

com::ComPtr<host::HostPoint> ClickMapPoint(host::HostMap* map, host::HostActiveView* view, long x,
                                           long y) {
  const auto transformation =
      require(require(view->ScreenDisplay(), "ScreenDisplay")->DisplayTransformation(),
              "DisplayTransformation");
  const auto point =
      require(transformation->ToMapPoint(static_cast<int>(x), static_cast<int>(y)), "ToMapPoint");
  point->SetSpatialReference(map->SpatialReference().get());
  return point;
}

com::ComPtr<host::HostPoint> ClickInNetworkCoordinates(host::HostDocument* document,
                                                       host::HostMap* map,
                                                       host::HostSpatialReference* reference,
                                                       long x, long y) {
  const auto point = ClickMapPoint(map, require(document->ActiveView(), "ActiveView").get(), x, y);
  const double map_x = point->X();
  const double map_y = point->Y();
  const bool projected = com::SUCCEEDED(point->Project(reference));
  com::TakeErrorInfo(); // the projection's own words, if any, are told below in the user's terms
  if (projected && HasFiniteCoordinates(*point))
    return point;
  // A map and a network in coordinate systems that do not describe the same place (a map in
  // degrees, the network's roads in metres, the points given in metres): the user can mend it.
  const auto name = [](const com::ComPtr<host::HostSpatialReference>& system) {
    const auto text = system ? system->Name() : std::string();
    return text.empty() ? std::string("an unknown coordinate system") : text;
  };
  const auto number = [](double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return std::string(text);
  };
  show_message("The clicked point (" + number(map_x) + ", " + number(map_y) +
                   ") cannot be placed in the network's coordinates (" +
                   name(com::ComPtr<host::HostSpatialReference>(reference)) + ") from the map's (" +
                   name(map->SpatialReference()) +
                   "). Give the map a coordinate system that suits its layers' coordinates, "
                   "then try again. The run did not finish.",
               "Error", forms::Icon::Critical);
  throw ToldHandlerEnd("the clicked point cannot be projected");
}

std::optional<std::int32_t> NearestNode(host::HostPoint& point) {
  auto& state = shared_state();
  std::int32_t node = 0;
  std::int32_t second = 0;
  state.gEngineResult =
      require(state.gNetBase, "NetBase")->FindNearestNode(point.X(), point.Y(), node, second);
  if (!NodeSearchSucceeded(state.gEngineResult))
    return std::nullopt;
  return node;
}

} // namespace corvane
