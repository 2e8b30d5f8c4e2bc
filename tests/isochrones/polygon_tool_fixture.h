#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "com/create.h"
#include "host/layer.h"
#include "host/mouse_cursor.h"
#include "host/renderer.h"
#include "isochrone_fixture.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane::testing {

// A test of a polygon isochrone tool on a small drawn network with the real engine: the
// network layer "roads" has a ".prj", the zone list and the polygon options are set as the
// isochrone options leave them, and clicks go to the tool through the host's view.
template <class Tool> class PolygonToolTest : public IsochroneTest {
protected:
  void SetUp() override {
    IsochroneTest::SetUp();
    tool_ = com::make<Tool>();
    create(*tool_);
  }
  void TearDown() override {
    tool_ = nullptr;
    IsochroneTest::TearDown();
  }

  // The network, its ".prj" and the polygon options of a newly loaded network.
  void network(const std::vector<Road>& roads) {
    build_network(roads);
    std::ofstream(path("roads.prj"), std::ios::binary) << projection_text;
    auto& state = shared_state();
    state.gAllowOverlap = Overlap::None;
    state.gClipMode = ClipMode::Off;
    state.gDoughnut = false;
  }
  // A click at map point (x, y) that the tool carries out (`fails`: that ends in a failing
  // host call); the pointer is back to the default after it either way.
  void click_tool(double x, double y, long shift = 0, long button = 1, bool fails = false) {
    EXPECT_EQ(com::FAILED(mouse_down(*tool_, x, y, button, shift)), fails);
    EXPECT_EQ(corvane::create<host::HostMouseCursor>(host::MouseCursorClass)->Cursor(), 0);
  }
  // A polygon layer "Clip" over the rectangles given as (x0, y0, x1, y1), from another folder,
  // in place of the one an earlier call made.
  void clip_to(const std::vector<std::vector<double>>& boxes) {
    for (int i = map()->LayerCount() - 1; i >= 0; --i)
      if (map()->Layer(i)->Name() == "Clip")
        map()->DeleteLayer(map()->Layer(i).get());
    std::filesystem::remove_all(path("clips"));
    std::vector<host::Path> rings;
    for (const auto& b : boxes)
      rings.push_back({{b[0], b[1]}, {b[0], b[3]}, {b[2], b[3]}, {b[2], b[1]}, {b[0], b[1]}});
    add_layer(shapefile("clip", host::geometry_polygon, rings, "clips"), "Clip");
    shared_state().gClipMode = ClipMode::ToLayer;
    shared_state().gClipLayerName = "Clip";
  }

  // What the user is shown for a clip layer "Clip" that cannot cut zones, and for one no zone
  // reaches into, as "TITLE: TEXT".
  static std::string clip_refusal(const std::string& reason) {
    return "Clip Layer: The clip layer Clip cannot cut the zones: " + reason +
           ". Choose another clip layer in the isochrone options, or mend this one; nothing was "
           "changed.";
  }
  static std::string no_zone_in_clip() {
    return "Clip Layer: No zone reaches into the clip layer Clip, so there is no zone to draw. "
           "Choose another clip layer in the isochrone options, or centres nearer to its "
           "polygons.";
  }
  // No temporary of a polygon tool is left in the network folder.
  void expect_no_temporaries() {
    for (const char* name : {"IsoPly", "IsoPoly1", "IsoPoly2", "IsoPoly3", "IpPoly"})
      for (const char* extension : {".shp", ".shx", ".dbf", ".prj"})
        EXPECT_FALSE(exists(std::string(name) + extension)) << name << extension;
  }

  // The names of the map's layers, top first.
  std::vector<std::string> layers() {
    std::vector<std::string> names;
    for (int i = 0; i < map()->LayerCount(); ++i)
      names.push_back(map()->Layer(i)->Name());
    return names;
  }
  bool exists(const std::string& file) { return std::filesystem::exists(path(file)); }
  std::string file_text(const std::string& file) {
    std::ifstream in(path(file), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  com::ComPtr<host::HostUniqueValueRenderer> zone_renderer() {
    for (int i = 0; i < map()->LayerCount(); ++i)
      if (map()->Layer(i)->Name() == "IsoPoly")
        return map()
            ->Layer(i)
            .template as<host::HostGeoFeatureLayer>()
            ->Renderer()
            .template as<host::HostUniqueValueRenderer>();
    return nullptr;
  }
  // The legend of "IsoPoly", class by class; empty when it has no zone renderer.
  std::vector<std::string> zone_labels() {
    std::vector<std::string> labels;
    if (const auto renderer = zone_renderer())
      for (int i = 0; i < renderer->ValueCount(); ++i)
        labels.push_back(renderer->Label(renderer->Value(i)));
    return labels;
  }
  // Area of every feature of "IsoPoly", in record order.
  std::vector<double> areas() {
    const auto zones = open("IsoPoly");
    std::vector<double> found;
    std::int32_t count = 0;
    EXPECT_EQ(zones->FeatureCount(nullptr, &count), com::S_OK);
    for (std::int32_t id = 0; id < count; ++id) {
      com::ComPtr<host::HostFeature> feature;
      EXPECT_EQ(zones->GetFeature(id, &feature), com::S_OK);
      const auto polygon = feature->Shape().template as<host::HostPolygon>();
      found.push_back(polygon ? polygon->Area() : 0);
    }
    return found;
  }

  static constexpr std::string_view projection_text =
      R"(PROJCS["WGS_1984_UTM_Zone_32N",GEOGCS["GCS_WGS_1984",DATUM["D_WGS_1984",)"
      R"(SPHEROID["WGS_1984",6378137.0,298.257223563]],PRIMEM["Greenwich",0.0],)"
      R"(UNIT["Degree",0.0174532925199433]],PROJECTION["Transverse_Mercator"],)"
      R"(PARAMETER["False_Easting",500000.0],PARAMETER["False_Northing",0.0],)"
      R"(PARAMETER["Central_Meridian",9.0],PARAMETER["Scale_Factor",0.9996],)"
      R"(PARAMETER["Latitude_Of_Origin",0.0],UNIT["Meter",1.0]])";

  com::ComPtr<Tool> tool_;
};

// A row of four 1 km links from (0, 1000) east (off the axis: a flag with a coordinate of 0 is
// never removed):
//   (0,1000) -1- (1000,1000) -2- (2000,1000) -3- (3000,1000) -4- (4000,1000)
inline constexpr double row_y = 1000;
inline std::vector<Road> row_of_links() {
  std::vector<Road> roads;
  for (int k = 0; k < 4; ++k)
    roads.push_back({{{k * 1000.0, row_y}, {(k + 1) * 1000.0, row_y}}, "Row"});
  return roads;
}

} // namespace corvane::testing
