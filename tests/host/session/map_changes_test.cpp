#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../map/shapefile_fixture.h"
#include "data/filters.h"
#include "data/workspace_objects.h"
#include "map/elements.h"
#include "map/geometry_factory.h"
#include "map/layers.h"
#include "map/map.h"
#include "map/renderers.h"
#include "map/symbols.h"
#include "session/map_changes.h"

namespace host::session {
namespace {

using testing::DrawnLink;
using Lines = std::vector<std::string>;

const std::vector<DrawnLink> three_links{
    {{{0, 0}, {1000, 0}}, 0}, {{{0, 100}, {1000, 100}}, 3}, {{{0, 200}, {1000, 200}}, 12}};

com::ComPtr<FeatureLayer> layer_over(const std::filesystem::path& folder, const std::string& name) {
  com::ComPtr<HostFeatureClass> links;
  EXPECT_EQ(
      open_workspace(folder.string()).as<HostFeatureWorkspace>()->OpenFeatureClass("links", &links),
      com::S_OK);
  auto layer = com::make<FeatureLayer>();
  layer->SetFeatureClass(links.get());
  layer->SetName(name);
  return layer;
}

com::ComPtr<HostElement> marker_at(double x, double y) {
  auto marker = com::make<MarkerElement>();
  marker->SetSymbol(com::make<SimpleMarkerSymbol>().get());
  marker->SetGeometry(new_point(x, y, nullptr).get());
  return marker;
}

com::ComPtr<HostElement> text_at(double x, double y, const std::string& text) {
  auto label = com::make<TextElement>();
  label->SetText(text);
  label->SetGeometry(new_point(x, y, nullptr).get());
  return label;
}

// A user's steps on a map over a drawn network, each with the lines the transcript tells after
// it; a step that changes nothing the user sees tells nothing.
TEST(MapChanges, EachStepTellsWhatChangedOnTheMap) {
  testing::TempFolder folder{"map-changes"};
  const auto net = folder.path() / "net";
  std::filesystem::create_directories(net);
  testing::write_links(net, "links", three_links);
  auto map = com::make<Map>();
  const auto links = layer_over(net, "links");
  const auto copy = layer_over(net, "copy");
  const auto label = text_at(10, 10, " 2");

  struct Step {
    const char* what;
    std::function<void()> act;
    Lines told;
  };
  const std::vector<Step> steps{
      {"a layer added",
       [&] { map->AddLayer(links.get()); },
       {R"(layer added "links" "net/links.shp" 3 features)", R"(renderer "links" simple)"}},
      {"a renderer set",
       [&] {
         auto bands = com::make<ClassBreaksRenderer>();
         bands->SetField("CV_RESULT");
         bands->SetBreakCount(2);
         bands->SetLabel(1, "0 - 5 Minutes");
         links->SetRenderer(bands.get());
       },
       {R"(renderer "links" breaks "CV_RESULT" "" "0 - 5 Minutes")"}},
      {"a selection made",
       [&] {
         auto filter = create_query_filter().as<HostQueryFilter>();
         filter->SetWhereClause("CV_RESULT > 0");
         links->SelectFeatures(filter.get(), 0, false);
       },
       {R"(selection "links" 2)"}},
      {"graphics added",
       [&] {
         map->AddElement(marker_at(0, 0).get(), 0);
         map->AddElement(marker_at(0, 100).get(), 0);
         map->AddElement(label.get(), 0);
       },
       {R"(graphic added marker "circle" 2 times)", R"(graphic added text " 2")"}},
      {"a layer added below one that was there",
       [&] {
         map->AddLayer(copy.get());
         map->MoveLayer(links.get(), 0);
       },
       {R"(layer added "copy" "net/links.shp" 3 features)", R"(renderer "copy" simple)",
        R"(order "links" "copy")"}},
      {"nothing the user sees", [&] { map->Refresh(); }, {}},
      {"a layer removed, the selection cleared, a graphic removed",
       [&] {
         map->DeleteLayer(copy.get());
         map->ClearSelection();
         map->DeleteElement(label.get());
       },
       {R"(layer removed "copy")", R"(selection "links" 0)", R"(graphic removed text " 2")"}},
      {"the layer's data rewritten with links joined",
       [&] {
         testing::write_links(net, "links", {three_links[0], three_links[2]});
       },
       {R"(layer changed "links" "net/links.shp" 2 features (was 3))"}},
      {"one class per value, more than a line shows",
       [&] {
         auto values = com::make<UniqueValueRenderer>();
         values->SetFieldCount(1);
         values->SetField(0, "CV_RESULT");
         for (int i = 1; i <= 14; ++i) {
           values->AddValue(std::to_string(i), "", nullptr);
           values->SetLabel(std::to_string(i), "P" + std::to_string(i));
         }
         links->SetRenderer(values.get());
       },
       {R"(renderer "links" values "CV_RESULT" "P1" "P2" "P3" "P4" "P5" "P6" "P7" "P8" "P9" "P10")"
        R"( "P11" "P12" +2 more)"}},
  };
  MapState shown = map_state(*map, folder.path());
  for (const auto& step : steps) {
    step.act();
    auto now = map_state(*map, folder.path());
    EXPECT_EQ(map_changes(shown, now), step.told) << step.what;
    shown = std::move(now);
  }
  // Data outside the session's folder is named by its whole path.
  EXPECT_EQ(map_state(*map, folder.path() / "elsewhere").layers.front().source,
            (net / "links.shp").generic_string());
}

} // namespace
} // namespace host::session
