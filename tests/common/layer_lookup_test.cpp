#include <gtest/gtest.h>

#include <string>

#include "com/create.h"
#include "common/layer_lookup.h"
#include "common/layer_spatial_reference.h"
#include "host/spatial_reference.h"
#include "host/workspace.h"
#include "network/state/shared_state.h"
#include "support/host_fixture.h"

namespace corvane {
namespace {

using host::geometry_point;
using host::geometry_polygon;
using host::geometry_polyline;

class LayerLookup : public testing::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    shared_state().gNetworkFolder = path();
  }
  com::ComPtr<host::HostFeatureClass> roads(std::string_view name, std::string_view folder = "") {
    return shapefile(name, geometry_polyline, {{{0, 0}, {1, 1}}}, folder);
  }
  com::ComPtr<host::HostFeatureClass> points(std::string_view name) {
    return shapefile(name, geometry_point, {{{0, 0}}});
  }
};

TEST_F(LayerLookup, AMapWithoutFeatureLayersFindsNothing) {
  for (const char* kind : {"L", "PT", "PG", "A"}) {
    EXPECT_EQ(FindLayerIndex(map(), "Route", kind), NoLayer);
    EXPECT_EQ(FindAnyLayerIndex(map(), "Route", kind), NoLayer);
  }
}

TEST_F(LayerLookup, FindLayerIndexMatchesTheDatasetNameInTheNetworkFolder) {
  // Layers are added on top: positions 0 "Shown route" (Route.shp), 1 "Route" (roads.shp).
  add_layer(roads("roads"), "Route");
  add_layer(roads("Route"), "Shown route");

  EXPECT_EQ(FindLayerIndex(map(), "Route", "L"), 0);
  EXPECT_EQ(FindLayerIndex(map(), "roads", "A"), 1);
  EXPECT_EQ(FindLayerIndex(map(), "Shown route", "L"), NoLayer); // a layer name, no dataset
  EXPECT_EQ(FindLayerIndex(map(), "route", "L"), NoLayer);       // letter case counts

  EXPECT_EQ(FindAnyLayerIndex(map(), "Route", "L"), 1);
  EXPECT_EQ(FindAnyLayerIndex(map(), "Shown route", "L"), 0);
  EXPECT_EQ(FindAnyLayerIndex(map(), "roads", "L"), NoLayer);
}

TEST_F(LayerLookup, TwoLayersWithOneNameGiveTheUpperOne) {
  const auto features = roads("Route");
  add_layer(features, "Route");
  add_layer(roads("Route", "copy"), "Route");
  add_layer(features, "Route");
  // Position 1 lies in another folder; positions 0 and 2 both match.
  EXPECT_EQ(FindLayerIndex(map(), "Route", "L"), 0);
  EXPECT_EQ(FindAnyLayerIndex(map(), "Route", "L"), 0);
}

TEST_F(LayerLookup, OnlyFindAnyLayerIndexLooksOutsideTheNetworkFolder) {
  add_layer(roads("Route", "elsewhere"), "Route");
  EXPECT_EQ(FindLayerIndex(map(), "Route", "L"), NoLayer);
  EXPECT_EQ(FindAnyLayerIndex(map(), "Route", "L"), 0);
}

TEST_F(LayerLookup, AShapeOfAnotherKindIsPassedOver) {
  // Positions: 0 Stops (points), 1 Stops (polygons), 2 Stops (lines).
  add_layer(shapefile("lines", geometry_polyline, {{{0, 0}, {1, 0}}}), "Stops");
  add_layer(shapefile("areas", geometry_polygon, {{{0, 0}, {0, 1}, {1, 1}, {0, 0}}}), "Stops");
  add_layer(points("stops"), "Stops");

  const struct {
    const char* kind;
    std::int32_t position;
  } cases[] = {{"PT", 0}, {"PG", 1}, {"L", 2}, {"A", 0}, {"X", NoLayer}, {"pt", NoLayer}};
  for (const auto& c : cases)
    EXPECT_EQ(FindAnyLayerIndex(map(), "Stops", c.kind), c.position) << c.kind;

  EXPECT_EQ(FindLayerIndex(map(), "stops", "L"), NoLayer);
  EXPECT_EQ(FindLayerIndex(map(), "stops", "PT"), 0);
}

TEST(GetLayerSpatialReference, ReadsTheShapeFieldsCoordinateSystem) {
  const auto factory =
      com::create_object<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass);
  ASSERT_TRUE(factory);
  com::ComPtr<host::HostWorkspace> workspace;
  ASSERT_EQ(factory->OpenFromFile(CORVANE_SOURCE_DIR "/data/sample/gothenburg", 0, &workspace),
            com::S_OK);
  com::ComPtr<host::HostFeatureClass> roads;
  ASSERT_EQ(workspace.as<host::HostFeatureWorkspace>()->OpenFeatureClass("roads", &roads),
            com::S_OK);

  const auto reference = GetLayerSpatialReference(roads.get());
  ASSERT_TRUE(reference);
  const auto projected = reference.as<host::HostProjectedCoordinateSystem>();
  ASSERT_TRUE(projected);
  EXPECT_EQ(projected->CoordinateUnit()->FactoryCode(), 9001);
}

} // namespace
} // namespace corvane
