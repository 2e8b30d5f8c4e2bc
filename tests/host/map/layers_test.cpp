#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <cstdint>
#include <fstream>
#include <sstream>

#include "data/filters.h"
#include "data/workspace_objects.h"
#include "host/query_filter.h"
#include "map/layers.h"
#include "map/map.h"
#include "shapefile_fixture.h"

namespace host {
namespace {

com::ComPtr<HostLayer> named_layer(const std::string& name) {
  auto layer = com::make<FeatureLayer>();
  layer->SetName(name);
  return layer;
}

std::vector<std::string> names(Map& map) {
  std::vector<std::string> out;
  for (int i = 0; i < map.LayerCount(); ++i)
    out.push_back(map.Layer(i)->Name());
  return out;
}

TEST(MapLayers, NewLayersGoOnTopAndMoveAndDeleteKeepTheOrder) {
  auto map = com::make<Map>();
  auto roads = named_layer("roads"), places = named_layer("places"), route = named_layer("Route");
  for (const auto& layer : {roads, places, route})
    ASSERT_EQ(map->AddLayer(layer.get()), com::S_OK);
  EXPECT_EQ(names(*map), (std::vector<std::string>{"Route", "places", "roads"}));

  ASSERT_EQ(map->MoveLayer(roads.get(), 0), com::S_OK);
  EXPECT_EQ(names(*map), (std::vector<std::string>{"roads", "Route", "places"}));
  ASSERT_EQ(map->MoveLayer(roads.get(), 99), com::S_OK) << "a position past the end is the bottom";
  EXPECT_EQ(names(*map), (std::vector<std::string>{"Route", "places", "roads"}));

  ASSERT_EQ(map->DeleteLayer(places.get()), com::S_OK);
  EXPECT_EQ(names(*map), (std::vector<std::string>{"Route", "roads"}));
  EXPECT_FALSE(map->Layer(2));
  EXPECT_FALSE(map->Layer(-1));
}

TEST(MapLayers, RefusesLayersTwiceOrNotInTheMap) {
  auto map = com::make<Map>();
  auto roads = named_layer("roads"), stray = named_layer("stray");
  ASSERT_EQ(map->AddLayer(roads.get()), com::S_OK);
  EXPECT_EQ(map->AddLayer(roads.get()), com::E_INVALIDARG);
  EXPECT_EQ(map->DeleteLayer(stray.get()), com::E_INVALIDARG);
  EXPECT_EQ(map->MoveLayer(stray.get(), 0), com::E_INVALIDARG);
  EXPECT_EQ(map->AddLayer(nullptr), com::E_POINTER);
  EXPECT_EQ(map->LayerCount(), 1);
}

TEST(StandaloneTables, KeepTheirOrderAndRemoveByIdentity) {
  auto map = com::make<Map>();
  std::vector<com::ComPtr<HostStandaloneTable>> tables;
  for (const char* name : {"BatchRoute", "other", "BatchRoute"}) {
    tables.push_back(com::make<StandaloneTable>());
    tables.back()->SetName(name);
    ASSERT_EQ(map->AddStandaloneTable(tables.back().get()), com::S_OK);
  }
  // The add-in's removal loop: walk from the end so removals do not skip entries.
  for (int i = map->StandaloneTableCount() - 1; i >= 0; --i) {
    if (map->StandaloneTable(i)->Name() == "BatchRoute") {
      ASSERT_EQ(map->RemoveStandaloneTable(map->StandaloneTable(i).get()), com::S_OK);
    }
  }
  ASSERT_EQ(map->StandaloneTableCount(), 1);
  EXPECT_EQ(map->StandaloneTable(0)->Name(), "other");
  EXPECT_EQ(map->RemoveStandaloneTable(tables[0].get()), com::E_INVALIDARG);
}

TEST(FeatureLayer, HidesFieldsAndRefusesANullRenderer) {
  auto layer = com::make<FeatureLayer>();
  layer->SetFieldVisible(0, false);
  layer->SetFieldVisible(1, false);
  EXPECT_FALSE(layer->FieldVisible(0));
  EXPECT_FALSE(layer->FieldVisible(1));
  EXPECT_TRUE(layer->FieldVisible(2));
  EXPECT_EQ(layer->SetRenderer(nullptr), com::E_POINTER);
  EXPECT_EQ(layer->DataSourceType(), "") << "no feature class yet";
}

std::string sample_prj() {
  std::ifstream in(std::filesystem::path(CORVANE_SOURCE_DIR) / "data/sample/gothenburg/roads.prj");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Two layers over the same three drawn links.
class MapWithData : public ::testing::Test {
protected:
  void SetUp() override {
    testing::write_links(folder.path(), "links",
                         {{{{100, 100}, {300, 100}}, 0},
                          {{{100, 200}, {300, 200}}, 2},
                          {{{100, 300}, {300, 500}}, 2}},
                         sample_prj());
    com::ComPtr<HostFeatureClass> links;
    ASSERT_EQ(open_workspace(folder.path().string())
                  .as<HostFeatureWorkspace>()
                  ->OpenFeatureClass("links", &links),
              com::S_OK);
    layer->SetFeatureClass(links.get());
    layer->SetName("links");
  }

  testing::TempFolder folder{"map-data"};
  com::ComPtr<FeatureLayer> layer = com::make<FeatureLayer>();
  com::ComPtr<Map> map = com::make<Map>();
};

TEST_F(MapWithData, TheFirstLayerGivesTheMapItsReferenceUnitsAndView) {
  EXPECT_EQ(layer->DataSourceType(), "Shapefile Feature Class");
  ASSERT_TRUE(layer->Renderer().as<HostSimpleRenderer>()) << "a new layer draws with one symbol";
  ASSERT_EQ(map->AddLayer(layer.get()), com::S_OK);
  ASSERT_TRUE(map->SpatialReference());
  EXPECT_TRUE(map->SpatialReference().as<HostProjectedCoordinateSystem>());
  EXPECT_EQ(map->DistanceUnits(), Meters);
  const auto extent = map->Extent();
  EXPECT_LE(extent->XMin(), 100);
  EXPECT_GE(extent->XMax(), 300);
  EXPECT_LE(extent->YMin(), 100);
  EXPECT_GE(extent->YMax(), 500);

  // Units the user chose, and a view the user set, outlive later layers.
  map->SetDistanceUnits(Kilometers);
  auto second = com::make<FeatureLayer>();
  second->SetFeatureClass(layer->FeatureClass().get());
  ASSERT_EQ(map->AddLayer(second.get()), com::S_OK);
  EXPECT_EQ(map->DistanceUnits(), Kilometers);
}

com::ComPtr<HostQueryFilter> where(const std::string& clause) {
  auto filter = create_query_filter().as<HostQueryFilter>();
  filter->SetWhereClause(clause);
  return filter;
}

std::vector<std::int32_t> selected_by_map(Map& map) {
  std::vector<std::int32_t> ids;
  const auto features = map.FeatureSelection();
  features->Reset();
  while (const auto feature = features->Next())
    ids.push_back(feature->OID());
  return ids;
}

TEST_F(MapWithData, SelectionsFollowTheirMethodAndTheMapWalksThem) {
  ASSERT_EQ(map->AddLayer(layer.get()), com::S_OK);
  using Ids = std::vector<std::int32_t>;
  ASSERT_EQ(layer->SelectFeatures(where("CV_RESULT <> 0").get(), 0, false), com::S_OK);
  EXPECT_EQ(layer->SelectedIds(), (Ids{1, 2}));
  ASSERT_EQ(layer->SelectFeatures(where("CV_RESULT = 0").get(), 1, false), com::S_OK);
  EXPECT_EQ(layer->SelectedIds(), (Ids{0, 1, 2})) << "method 1 adds";
  ASSERT_EQ(layer->SelectFeatures(where("CV_RESULT = 2").get(), 0, true), com::S_OK);
  EXPECT_EQ(layer->SelectedIds(), (Ids{1})) << "just one: the first match";
  EXPECT_EQ(selected_by_map(*map), (Ids{1}));
  EXPECT_EQ(map->SelectionCount(), 1);

  EXPECT_EQ(layer->SelectFeatures(where("CV_RESULT LIKE 2").get(), 0, false), com::E_INVALIDARG);
  EXPECT_EQ(layer->SelectedIds(), (Ids{1})) << "a rejected filter keeps the selection";
  map->ClearSelection();
  EXPECT_TRUE(selected_by_map(*map).empty());
}

} // namespace
} // namespace host
