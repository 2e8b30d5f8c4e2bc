#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/layers.h"
#include "map/map.h"

namespace host {
namespace {

com::ComPtr<HostLayer> named_layer(const std::string& name) {
  auto layer = com::make<FeatureLayer>();
  layer->SetName(name);
  return layer;
}

std::vector<std::string> names(Map& map) {
  std::vector<std::string> out;
  for (int i = 0; i < map.LayerCount(); ++i) out.push_back(map.Layer(i)->Name());
  return out;
}

TEST(MapLayers, NewLayersGoOnTopAndMoveAndDeleteKeepTheOrder) {
  auto map = com::make<Map>();
  auto roads = named_layer("roads"), places = named_layer("places"), route = named_layer("Route");
  for (const auto& layer : {roads, places, route}) ASSERT_EQ(map->AddLayer(layer.get()), com::S_OK);
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

} // namespace
} // namespace host
