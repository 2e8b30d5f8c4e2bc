#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "com/create.h"
#include "common/clip_zones.h"
#include "common/zone_renderers.h"
#include "forms/testing/scripted_user.h"
#include "host/color.h"
#include "host/fields.h"
#include "host/layer.h"
#include "host/renderer.h"
#include "host/row.h"
#include "host/symbol.h"
#include "host/workspace.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"
#include "support/host_fixture.h"

namespace corvane {
namespace {

using host::Path;

// An axis-parallel square ring, clockwise, centred on (cx, cy).
Path square(double cx, double cy, double half) {
  return {{cx - half, cy - half}, {cx - half, cy + half}, {cx + half, cy + half},
          {cx + half, cy - half}, {cx - half, cy - half}};
}
Path box(double x0, double y0, double x1, double y1) {
  return {{x0, y0}, {x0, y1}, {x1, y1}, {x1, y0}, {x0, y0}};
}

struct Zone {
  Path ring;
  double cost_end;
};

// A zone of an output: its "COST_END" and its area.
struct Cut {
  double cost_end;
  double area;
  bool operator==(const Cut& other) const {
    return cost_end == other.cost_end && std::abs(area - other.area) < 1e-6;
  }
};

std::ostream& operator<<(std::ostream& out, const Cut& cut) {
  return out << "(" << cut.cost_end << ", " << cut.area << ")";
}

class ZoneSteps : public testing::HostTest {
protected:
  void SetUp() override {
    HostTest::SetUp();
    shared_state().gNetworkFolder = path();
  }

  // A zone file as the engine writes one: fields "COST_END" and "ID", one polygon per zone.
  com::ComPtr<host::HostFeatureClass> zone_file(std::string_view name,
                                                const std::vector<Zone>& zones) {
    const auto fields = corvane::create<host::HostFieldsEdit>(host::FieldsClass);
    const auto definition = corvane::create<host::HostGeometryDefEdit>(host::GeometryDefClass);
    definition->SetGeometryType(host::geometry_polygon);
    const auto shape = corvane::create<host::HostFieldEdit>(host::FieldClass);
    shape->SetName("Shape");
    shape->SetType(host::field_geometry);
    shape->SetGeometryDef(definition.get());
    fields->AddField(shape.get());
    for (const char* numeric : {"COST_END", "ID"}) {
      const auto field = corvane::create<host::HostFieldEdit>(host::FieldClass);
      field->SetName(numeric);
      field->SetType(host::field_double);
      field->SetPrecision(18);
      field->SetScale(6);
      fields->AddField(field.get());
    }
    com::ComPtr<host::HostWorkspace> workspace;
    EXPECT_EQ(corvane::create<host::HostWorkspaceFactory>(host::ShapefileWorkspaceFactoryClass)
                  ->OpenFromFile(path(), 0, &workspace),
              com::S_OK);
    com::ComPtr<host::HostFeatureClass> features;
    EXPECT_EQ(workspace.as<host::HostFeatureWorkspace>()->CreateFeatureClass(
                  std::string(name), fields.get(), 1, "Shape", "", &features),
              com::S_OK);
    int id = 0;
    for (const auto& zone : zones) {
      com::ComPtr<host::HostFeature> feature;
      EXPECT_EQ(features->CreateFeature(&feature), com::S_OK);
      const auto polygon = corvane::create<host::HostPolygon>(host::PolygonClass);
      polygon->AddRing(zone.ring);
      feature->SetShape(polygon.get());
      feature->SetValue(features->FindField("COST_END"), zone.cost_end);
      feature->SetValue(features->FindField("ID"), ++id);
      EXPECT_EQ(feature->Store(), com::S_OK);
    }
    return features;
  }

  // Nested squares around (0, 0) as the engine orders zones: the largest first.
  com::ComPtr<host::HostFeatureClass> nested_zones(std::string_view name) {
    return zone_file(name, {{square(0, 0, 30), 15}, {square(0, 0, 20), 10}, {square(0, 0, 10), 5}});
  }

  com::ComPtr<host::HostFeatureLayer> clip_layer(const std::vector<Path>& polygons) {
    return add_layer(shapefile("clip", host::geometry_polygon, polygons, "clips"), "Clip");
  }

  com::ComPtr<host::HostUniqueValueRenderer> zone_renderer(int index = 0) {
    return map()->Layer(index).as<host::HostGeoFeatureLayer>()->Renderer()
        .as<host::HostUniqueValueRenderer>();
  }

  // "COST_END", the zone's area, of every feature of the layer on top, in record order.
  std::vector<Cut> cuts_on_top() {
    const auto features = map()->Layer(0).as<host::HostFeatureLayer>()->FeatureClass();
    std::vector<Cut> cuts;
    std::int32_t count = 0;
    EXPECT_EQ(features->FeatureCount(nullptr, &count), com::S_OK);
    for (std::int32_t oid = 0; oid < count; ++oid) {
      com::ComPtr<host::HostFeature> feature;
      EXPECT_EQ(features->GetFeature(oid, &feature), com::S_OK);
      cuts.push_back({feature->Value(features->FindField("COST_END")).to_double().value_or(-1),
                      feature->Shape().as<host::HostPolygon>()->Area()});
    }
    return cuts;
  }
};

int rgb(const com::ComPtr<host::HostColor>& colour) {
  const auto parts = colour.as<host::HostRgbColor>();
  return parts->Red() << 16 | parts->Green() << 8 | parts->Blue();
}

TEST_F(ZoneSteps, CostEndRendererHasOneClassPerDistinctLimit) {
  add_layer(nested_zones("IsoPoly"), "IsoPoly");
  struct Case {
    const char* what;
    std::vector<float> limits;
    std::int32_t route_type;
    std::vector<std::string> values;
    std::vector<std::string> labels;
  };
  const std::vector<Case> cases = {
      {"fastest", {5, 10, 15}, RouteFastest, {"5", "10", "15"},
       {"0 - 5 Minutes", "5 - 10 Minutes", "10 - 15 Minutes"}},
      {"shortest", {5, 10, 15}, RouteShortest, {"5", "10", "15"},
       {"0 - 5 Kilometers", "5 - 10 Kilometers", "10 - 15 Kilometers"}},
      // Each zone by its own limits, whole or not: none rounded to a whole number.
      {"fractional limits", {0.5F, 1.5F, 2.5F}, RouteShortest, {"0.5", "1.5", "2.5"},
       {"0 - 0.5 Kilometers", "0.5 - 1.5 Kilometers", "1.5 - 2.5 Kilometers"}},
      {"limits below one", {0.3F, 0.6F, 1}, RouteShortest, {"0.3", "0.6", "1"},
       {"0 - 0.3 Kilometers", "0.3 - 0.6 Kilometers", "0.6 - 1 Kilometers"}},
      {"a fractional limit before a whole one", {2.5F, 5}, RouteFastest, {"2.5", "5"},
       {"0 - 2.5 Minutes", "2.5 - 5 Minutes"}},
      {"an equal limit adds no class", {5, 5, 7.5F}, RouteFastest, {"5", "7.5"},
       {"0 - 5 Minutes", "5 - 7.5 Minutes"}},
  };
  shared_state().gDistUnits = "Kilometers";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shared_state().gRouteType = c.route_type;
    RenderZonesByCostEnd(document_.get(), map(), "IsoPoly", c.limits);
    const auto renderer = zone_renderer();
    ASSERT_TRUE(renderer);
    EXPECT_EQ(renderer->Field(0), "COST_END");
    EXPECT_TRUE(renderer->FieldType(0));
    EXPECT_EQ(renderer->ColorScheme(), "Custom");
    ASSERT_EQ(renderer->ValueCount(), static_cast<int>(c.values.size()));
    for (int i = 0; i < renderer->ValueCount(); ++i) {
      EXPECT_EQ(renderer->Value(i), c.values[i]);
      EXPECT_EQ(renderer->Label(c.values[i]), c.labels[i]);
      EXPECT_EQ(renderer->Heading(c.values[i]), "COST");
    }
  }
  EXPECT_EQ(map()->Layer(0).as<host::HostFeatureLayer>()->DisplayField(), "COST_END");
}

TEST_F(ZoneSteps, ZoneColoursAreSeededSolidFillsOutlinedInTheirOwnColour) {
  add_layer(nested_zones("IsoPoly"), "IsoPoly");
  const auto colours_of = [&](const com::ComPtr<host::HostUniqueValueRenderer>& renderer) {
    std::vector<int> colours;
    for (int i = 0; i < renderer->ValueCount(); ++i) {
      const auto fill = renderer->Symbol(renderer->Value(i)).as<host::HostSimpleFillSymbol>();
      EXPECT_EQ(fill->Style(), 0);
      const auto outline = fill->Outline().as<host::HostSimpleLineSymbol>();
      EXPECT_EQ(outline->Style(), 0);
      EXPECT_EQ(outline->Width(), 0);
      EXPECT_EQ(rgb(outline->Color()), rgb(fill->Color()));
      colours.push_back(rgb(fill->Color()));
    }
    return colours;
  };
  RenderZonesByCostEnd(document_.get(), map(), "IsoPoly", {5, 10, 15});
  const auto by_cost = colours_of(zone_renderer());
  RenderZonesById(document_.get(), map(), "IsoPoly", 3);
  const auto by_centre = colours_of(zone_renderer());
  // The same number of classes draws the same colours, whichever renderer; they differ
  // from class to class.
  EXPECT_EQ(by_cost, by_centre);
  EXPECT_NE(by_cost[0], by_cost[1]);
  EXPECT_NE(by_cost[1], by_cost[2]);
}

TEST_F(ZoneSteps, IdRendererNamesEveryCentre) {
  add_layer(nested_zones("IsoPoly"), "IsoPoly");
  RenderZonesById(document_.get(), map(), "IsoPoly", 3);
  const auto renderer = zone_renderer();
  EXPECT_EQ(renderer->Field(0), "ID");
  ASSERT_EQ(renderer->ValueCount(), 3);
  for (const char* value : {"1", "2", "3"})
    EXPECT_EQ(renderer->Label(value), std::string("Zone ") + value);
  EXPECT_EQ(map()->Layer(0).as<host::HostFeatureLayer>()->DisplayField(), "ID");
}

TEST_F(ZoneSteps, RendererWithoutTheZoneLayerChangesNoDrawing) {
  // A polygon layer of that name outside the network folder is not the zone layer.
  add_layer(shapefile("IsoPoly", host::geometry_polygon, {square(0, 0, 1)}, "elsewhere"),
            "IsoPoly");
  const auto before = map()->Layer(0).as<host::HostGeoFeatureLayer>()->Renderer();
  EXPECT_THROW(RenderZonesById(document_.get(), map(), "IsoPoly", 2), HandlerEnd);
  EXPECT_EQ(map()->Layer(0).as<host::HostGeoFeatureLayer>()->Renderer(), before);
}

TEST_F(ZoneSteps, ClippingCutsEveryZoneAndLeavesOutWhatLiesOutside) {
  struct Case {
    const char* what;
    std::vector<Path> clip;
    bool by_one_polygon;
    std::vector<Cut> zones; // in the output's record order
  };
  const std::vector<Case> cases = {
      {"one polygon over the east half, smallest zone first", {box(0, -40, 40, 40)}, true,
       {{5, 200}, {10, 800}, {15, 1800}}},
      {"two polygons over opposite quarters, the input's order", {box(0, 0, 40, 40),
       box(-40, -40, 0, 0)}, false, {{15, 1800}, {10, 800}, {5, 200}}},
      {"the zones one polygon misses are left out", {box(25, -40, 40, 40)}, true, {{15, 300}}},
      {"as they are with several polygons", {box(25, -40, 40, 40), box(50, 50, 60, 60)}, false,
       {{15, 300}}},
  };
  nested_zones("Zones");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    map()->ClearLayers();
    std::filesystem::remove_all(path("clips"));
    const auto clip = clip_layer(c.clip);
    if (c.by_one_polygon)
      EXPECT_TRUE(ClipZonesByPolygon(map(), "Zones", "IsoPoly", clip.get(), ZoneOrder::LastFirst));
    else
      EXPECT_TRUE(PrepareClipOutput(map(), "Zones", "IsoPoly", clip.get()));
    ASSERT_EQ(map()->LayerCount(), 2);
    EXPECT_EQ(map()->Layer(0)->Name(), "IsoPoly");
    EXPECT_EQ(cuts_on_top(), c.zones);
    std::filesystem::remove(path("IsoPoly.shp"));
    std::filesystem::remove(path("IsoPoly.shx"));
    std::filesystem::remove(path("IsoPoly.dbf"));
  }
}

// A cut that leaves no zone shows nothing, leaves no empty output and says why.
TEST_F(ZoneSteps, ACutThatLeavesNoZoneDeletesItsOutputAndSaysSo) {
  nested_zones("Zones");
  shared_state().gClipLayerName = "Clip";
  forms::testing::ScopedUser user;
  for (const bool by_one_polygon : {true, false}) {
    SCOPED_TRACE(by_one_polygon);
    map()->ClearLayers();
    std::filesystem::remove_all(path("clips"));
    const auto clip = clip_layer({box(50, 50, 60, 60)});
    EXPECT_FALSE(by_one_polygon
                     ? ClipZonesByPolygon(map(), "Zones", "IsoPoly", clip.get(), ZoneOrder::LastFirst)
                     : PrepareClipOutput(map(), "Zones", "IsoPoly", clip.get()));
    EXPECT_EQ(map()->LayerCount(), 1);
    for (const char* file : {"IsoPoly.shp", "IsoPoly.shx", "IsoPoly.dbf", "IsoPoly.prj"})
      EXPECT_FALSE(std::filesystem::exists(path(file))) << file;
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages.back().title, "Clip Layer");
    EXPECT_EQ(user->messages.back().text,
              "No zone reaches into the clip layer Clip, so there is no zone to draw. Choose "
              "another clip layer in the isochrone options, or centres nearer to its polygons.");
    user->messages.clear();
  }
}

TEST_F(ZoneSteps, ClippingKeepsEveryAttributeAndTheInput) {
  nested_zones("Zones");
  const auto clip = clip_layer({box(0, -40, 40, 40)});
  ClipZonesByPolygon(map(), "Zones", "IsoPoly", clip.get(), ZoneOrder::FirstFirst);
  const auto output = map()->Layer(0).as<host::HostFeatureLayer>()->FeatureClass();
  EXPECT_EQ(output->Fields()->FieldCount(), 4); // FID, Shape, COST_END, ID
  std::vector<double> ids;
  for (std::int32_t oid = 0; oid < 3; ++oid) {
    com::ComPtr<host::HostFeature> feature;
    ASSERT_EQ(output->GetFeature(oid, &feature), com::S_OK);
    ids.push_back(feature->Value(output->FindField("ID")).to_double().value_or(-1));
  }
  EXPECT_EQ(ids, (std::vector<double>{1, 2, 3}));
  // The engine's zones stay whole.
  com::ComPtr<host::HostFeature> largest;
  const auto input = nested_zones("Zones2");
  ASSERT_EQ(input->GetFeature(0, &largest), com::S_OK);
  EXPECT_DOUBLE_EQ(largest->Shape().as<host::HostPolygon>()->Area(), 3600);
}

// Either cut is written whole and then takes the place of an older output of the system's own,
// leaving no scratch set, even past one a killed run left; a cut that fails leaves the older
// output as it was.
TEST_F(ZoneSteps, ClippingOverAnExistingOutputReplacesItWhole) {
  nested_zones("Zones");
  const auto clip = clip_layer({box(0, -40, 40, 40)});
  for (const bool by_one_polygon : {true, false}) {
    SCOPED_TRACE(by_one_polygon ? "one polygon" : "the host's clip");
    map()->ClearLayers();
    for (const char* extension : {".shp", ".shx", ".dbf", ".cpg"})
      std::filesystem::remove(path(std::string("IsoPoly") + extension));
    zone_file("IsoPoly", {{square(100, 100, 1), 1}});
    // What a run killed while it made its scratch set left.
    std::ofstream(path("IsoPoly~new.shp")) << "cut short";
    if (by_one_polygon)
      ClipZonesByPolygon(map(), "Zones", "IsoPoly", clip.get(), ZoneOrder::LastFirst);
    else
      PrepareClipOutput(map(), "Zones", "IsoPoly", clip.get());
    EXPECT_EQ(cuts_on_top().size(), 3U);
    for (const auto& entry : std::filesystem::directory_iterator(path()))
      EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos) << entry.path();
  }
  const auto before = std::filesystem::file_size(path("IsoPoly.shp"));
  EXPECT_THROW(PrepareClipOutput(map(), "Missing", "IsoPoly", clip.get()), HandlerEnd);
  EXPECT_EQ(std::filesystem::file_size(path("IsoPoly.shp")), before);
}

} // namespace
} // namespace corvane
