#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "batch_fixture.h"
#include "dialogs/isochrones/frm_batch_isochrone.h"
#include "isochrones/batch_iso_chrone.h"

namespace corvane::testing {

// What the user chooses in "Batch Isochrones" (and in the legend dialog of link isochrones).
struct BatchIsoChoice {
  std::string layer = "stops";
  std::string field = "NAME";
  std::int32_t mode = BatchIsoZonePolygons;
  // Link isochrones: "Costw" (cost bands) or "Zonew" (nearest point).
  std::string legend = "Costw";
};

// The batch isochrones on the drawn network of the batch route tests (kilometres, shortest
// route): the network has a ".prj", the zones are 1 and 2 km, without overlap, doughnuts or
// clipping, as a newly loaded network's options leave them but for the zones.
class BatchIsoTest : public BatchRouteTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // A polygon layer `name` over the rectangles given as (x0, y0, x1, y1), from a folder of its
  // own, named as the clip layer.
  void clip_to(const std::string& name, const std::vector<std::vector<double>>& boxes);

  // Clicks the command with the dialog answered by `choice`; the problem list, when shown, is
  // read into problems_ and closed.
  void run(const BatchIsoChoice& choice = {});
  // Clicks the command with the dialog worked by `script`.
  void run_with(std::function<void(FrmBatchIsochrone&)> script);

  // The messages shown since the last run, as "TITLE: TEXT".
  std::vector<std::string> messages() const;
  // The names of the map's layers, top first.
  std::vector<std::string> layers();
  // The number of flags ("IsoPoly" markers) on the map.
  int flags();
  // The values of `field` of every feature of the output "BatchIsochrone", in record order.
  std::vector<double> output_numbers(const std::string& field);
  std::vector<std::string> output_texts(const std::string& field);
  // The renderer of the layer `name`.
  template <class Renderer> com::ComPtr<Renderer> renderer_of(const std::string& name);

  com::ComPtr<BatchIsoChrone> iso_command_;
  std::size_t messages_before_ = 0;
};

template <class Renderer> com::ComPtr<Renderer> BatchIsoTest::renderer_of(const std::string& name) {
  for (int i = 0; i < map()->LayerCount(); ++i)
    if (map()->Layer(i)->Name() == name)
      return map()
          ->Layer(i)
          .template as<host::HostGeoFeatureLayer>()
          ->Renderer()
          .template as<Renderer>();
  return nullptr;
}

} // namespace corvane::testing
