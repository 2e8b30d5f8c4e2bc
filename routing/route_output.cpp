#include "routing/route_output.h"

#include "com/create.h"
#include "com/numbers.h"
#include "common/apply_route_color.h"
#include "common/feature_copies.h"
#include "common/layer_lookup.h"
#include "common/network_workspace.h"
#include "common/output_sets.h"
#include "common/show_message.h"
#include "common/stamp_network_edited.h"
#include "common/stop_label_sweep.h"
#include "common/write_route_shapefile.h"
#include "host/layer.h"
#include "host/table_window.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

std::string total_text(float total) {
  return com::number_text(total, com::single_digits);
}

} // namespace

void OpenRouteTable(host::HostFeatureLayer* layer, host::HostApplication* application) {
  const auto window = create<host::HostTableWindow>(host::TableWindowClass);
  window->SetLayer(layer);
  // Follow the selection, list all rows, show the aliases.
  window->SetDisplaySettings(2, 0, true);
  window->SetApplication(application);
  if (!window->IsVisible())
    check_call(window->Show(true), "TableWindow.Show");
}

// The emptied set is written whole beside the old one and takes its place as every output
// does: a failure keeps the old route shown, never a part of a set the next click is refused for.
void PrepareViewRoute(host::HostFeatureWorkspace* workspace, host::HostFeatureClass* network) {
  WriteOutputWhole(ViewRouteOutput, [&](std::string_view scratch) {
    CreateViewRouteShapefile(workspace, network, scratch);
  });
}

void ShowRouteLayers(const RouteResult& result, host::HostMap* map, host::HostActiveView* view,
                     host::HostApplication* application) {
  const auto& state = shared_state();
  const auto workspace = OpenNetworkWorkspace();
  const auto view_route = open_feature_class(workspace.get(), ViewRouteOutput);
  const auto view_route_layer = LayerOver(view_route);
  if (!result.view_route_shown)
    check_call(map->AddLayer(view_route_layer.get()), "AddLayer");
  // Written whole beside it, then in its place: the shapes it shows already, then the route's.
  FillOutputWhole(*view_route, [&](host::HostFeatureClass& shapes) {
    CopyShapes(view_route.get(), &shapes);
    CopyShapes(result.route.get(), &shapes);
  });

  const auto route_layer = result.route_layer ? result.route_layer : LayerOver(result.route);
  check_call(map->AddLayer(route_layer.get()), "AddLayer");
  ApplyRouteColor(map, view);
  if (state.gUseDescField == 1)
    OpenRouteTable(route_layer.get(), application);
}

void FinishRouteOutput(const RouteResult& result, const RouteDirections* directions,
                       host::HostFeatureClass* network, std::string_view marked, host::HostMap* map,
                       host::HostActiveView* view, host::HostApplication* application) {
  const auto& state = shared_state();
  FillOutputWhole(*result.route, [&](host::HostFeatureClass& route) {
    if (directions)
      WriteRouteShapefile(&route, state.gDirections, directions->row_count(), directions->shapes(),
                          state.gRouteType);
    else
      CopyNetworkLinks(&route, network, marked);
  });
  ShowRouteLayers(result, map, view, application);
  // The end stop's label stands for a route written: a run that wrote none draws nothing.
  if (result.end_stop) {
    AddStopLabel(map, result.end_stop.get(), "End");
    view->Refresh();
  }
  ReportRouteTotals(result, application);
  StampNetworkEdited();
}

void ReportRouteTotals(const RouteResult& result, host::HostApplication* application) {
  const auto& state = shared_state();
  const auto totals =
      RouteTotalsMessage(state.gRouteType, result.primary_total, result.secondary_total,
                         state.gDistUnits, result.minute_word);
  if (!totals)
    return;
  show_message(totals->text, totals->title, forms::Icon::Information);
  if (const auto status = application ? application->StatusBar() : nullptr)
    status->SetMessage(0, totals->text);
}

std::optional<TotalsMessage> RouteTotalsMessage(std::int32_t route_type, float primary_total,
                                                float secondary_total, const std::string& units,
                                                std::string_view minute_word) {
  const auto message = [&](float distance, float minutes, std::string title) {
    return TotalsMessage{"Total Distance = " + total_text(distance) + " " + units +
                             " and Total Time= " + total_text(minutes) + " " +
                             std::string(minute_word),
                         std::move(title)};
  };
  if (route_type == RouteFastest)
    return message(secondary_total, primary_total, "Fastest Path");
  if (route_type == RouteShortest)
    return message(primary_total, secondary_total, "Shortest Path");
  return std::nullopt;
}

} // namespace corvane
