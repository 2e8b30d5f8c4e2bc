#include "network/result_clearing.h"

#include <charconv>
#include <functional>
#include <string>
#include <string_view>

#include "common/elements_at_point.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "common/output_sets.h"
#include "common/point_at.h"
#include "common/remove_from_map.h"
#include "common/show_message.h"
#include "common/solid_line_renderer.h"
#include "host/active_view.h"
#include "host/element.h"
#include "host/graphics_container.h"
#include "host/layer.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {

namespace {

// The plain look of the network layer when no result is shown.
constexpr int network_red = 0, network_green = 135, network_blue = 148;

class Clearing {
public:
  explicit Clearing(host::HostDocument& document)
      : document_(document), map_(require(document.FocusMap(), "Document.FocusMap")),
        view_(require_as<host::HostActiveView>(map_, "Map as ActiveView")),
        graphics_(require_as<host::HostGraphicsContainer>(map_, "Map as GraphicsContainer")) {}

  void run() {
    auto& s = shared_state();
    network_features_ = require(network_layer()->FeatureClass(), "FeatureLayer.FeatureClass");

    remove_layers(map_.get(), RouteOutput, "L");
    view_->Refresh();
    delete_named([&](std::string_view name) {
      return name == "Start" || name == "End" || name == "1" ||
             (s.gMultiStopCount > 0 && stop_number_within(name, 0, s.gMultiStopCount));
    });
    view_->Refresh();
    delete_named([&](std::string_view name) {
      return name == "1" || name == "Start" || name == "End" ||
             (s.gRouteStopCount > 0 && stop_number_within(name, 1, s.gRouteStopCount));
    });
    remove_layers(map_.get(), CloseNodeOutput, "PT");
    remove_layers(map_.get(), BatchTspOutput, "L");
    remove_layers(map_.get(), ViewRouteOutput, "L");
    remove_layers(map_.get(), "UnusedLinks", "L");
    remove_tables(map_.get(), BatchRouteOutput);
    remove_layers(map_.get(), BatchRouteOutput, "L");
    view_->Refresh();

    for (std::int32_t row = 0; row <= s.gBatchIsoPointCount; ++row) {
      auto& centre = s.gBatchIsoPoints[row];
      RemoveMarkerGraphic(map_.get(), point(centre.X, centre.Y).get());
      centre = {};
    }
    s.gBatchIsoPointCount = 0;

    delete_named([&](std::string_view name) {
      for (std::int32_t k = 1; k <= s.gGazetteerStopCount; ++k)
        if (s.gGazetteerMarkerNames[k] == name)
          return true;
      return false;
    });
    for (std::int32_t row = 0; row <= s.gGazetteerStopCount; ++row) {
      auto& stop = s.gGazetteerStopPoints[row];
      DeleteElementsAt(map_.get(), point(stop.X, stop.Y).get());
      stop.X = 0;
      stop.Y = 0;
    }
    delete_at_tour_stops(s.gRouteStopCount);
    for (std::int32_t row = 0; row <= s.gTspTablePointCount + 1; ++row) {
      auto& stop = s.gTspTablePoints[row];
      DeleteElementsAt(map_.get(), point(stop.X, stop.Y).get());
      stop = {};
    }
    delete_at_tour_stops(s.gMultiStopCount);

    remove_layers(map_.get(), BatchIsochroneOutput, "A");
    view_->Refresh();
    RemoveMarkerGraphic(map_.get(), point(s.gLinkCentre.X, s.gLinkCentre.Y).get());
    s.gLinkCentre = {};
    remove_layers(map_.get(), IsoLinkOutput, "L");
    remove_layers(map_.get(), CulDeSacOutput, "L");
    view_->Refresh();
    RemoveMarkerGraphic(map_.get(), point(s.gPolyCentre.X, s.gPolyCentre.Y).get());
    s.gPolyCentre = {};
    remove_layers(map_.get(), IsoPolyOutput, "PG");
    view_->Refresh();

    if (s.gNetworkResultPresent)
      show_plain_network();
  }

private:
  com::ComPtr<host::HostFeatureLayer> network_layer() {
    const auto position = FindLayerIndex(map_.get(), shared_state().gNetworkLayerName, "L");
    return require_as<host::HostFeatureLayer>(require(map_->Layer(position), "Map.Layer"),
                                              "Layer as FeatureLayer");
  }

  // A point in the network layer's coordinates, where the results were placed.
  com::ComPtr<host::HostPoint> point(double x, double y) {
    return point_at(x, y, GetLayerSpatialReference(network_features_.get()).get());
  }

  // One walk over the graphics; elements without a name tag are passed over.
  void delete_named(const std::function<bool(std::string_view)>& named) {
    graphics_->Reset();
    while (const auto element = graphics_->Next()) {
      const auto properties = element.as<host::HostElementProperties>();
      if (properties && named(properties->Name()))
        check_call(graphics_->DeleteElement(element.get()), "GraphicsContainer.DeleteElement");
    }
  }

  void delete_at_tour_stops(std::int32_t last_row) {
    const auto& stops = shared_state().gTourStops;
    for (std::int32_t row = 0; row <= last_row; ++row)
      DeleteElementsAt(map_.get(), point(stops[row].X, stops[row].Y).get());
  }

  // Stop numbers are written as plain decimal texts ("0", "12"): "01" or " 1" is no stop.
  static bool stop_number_within(std::string_view name, std::int32_t first, std::int32_t last) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    return error == std::errc() && end == name.data() + name.size() &&
           name == std::to_string(number) && number >= first && number <= last;
  }

  void show_plain_network() {
    const auto position = FindLayerIndex(map_.get(), shared_state().gNetworkLayerName, "L");
    if (position == NoLayer)
      return;
    const auto layer = require_as<host::HostGeoFeatureLayer>(
        require(map_->Layer(position), "Map.Layer"), "Layer as GeoFeatureLayer");
    check_call(layer->SetRenderer(
                   solid_line_renderer(network_red, network_green, network_blue, 1.0).get()),
               "GeoFeatureLayer.SetRenderer");
    require(document_.ActiveView(), "Document.ActiveView")->Refresh();
    document_.UpdateContents();
    shared_state().gNetworkResultPresent = false;
  }

  host::HostDocument& document_;
  com::ComPtr<host::HostMap> map_;
  com::ComPtr<host::HostActiveView> view_;
  com::ComPtr<host::HostGraphicsContainer> graphics_;
  com::ComPtr<host::HostFeatureClass> network_features_;
};

} // namespace

void ClearResults(host::HostDocument* document) {
  auto& state = shared_state();
  if (state.gEditSessionActive) {
    show_message("Session in edit mode", "Edit Mode", forms::Icon::Information);
    return;
  }
  try {
    Clearing(*require(com::ComPtr<host::HostDocument>(document), "Document")).run();
  } catch (const HandlerEnd&) {
    // What was removed stays removed; the counters below are reset all the same.
  }
  state.gRouteStopCount = 0;
  state.gMultiStopCount = 0;
  state.gMarkerCount = 0;
}

} // namespace corvane
