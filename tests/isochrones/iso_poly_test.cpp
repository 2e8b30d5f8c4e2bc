#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "com/create.h"
#include "com/module.h"
#include "com/registration.h"
#include "command/app_path.h"
#include "host/color.h"
#include "host/spatial_reference.h"
#include "host/symbol.h"
#include "isochrones/iso_poly.h"
#include "isochrones/iso_poly_interface.h"
#include "polygon_tool_fixture.h"
#include "support/full_disk.h"

namespace corvane {
namespace {

using testing::row_of_links;
using IsoPolyTool = testing::PolygonToolTest<IsoPoly>;

TEST_F(IsoPolyTool, OneClickWritesTheZonesSmallestFirstUnderTheNetwork) {
  network(row_of_links());
  zones({1, 2, 3}); // kilometres
  click_tool(900, 1040);

  const auto zones = open("IsoPoly");
  EXPECT_EQ(numbers(*zones, "COST_END"), (std::vector<double>{1, 2, 3}));
  const auto area = areas();
  ASSERT_EQ(area.size(), 3U);
  EXPECT_LT(area[0], area[1]);
  EXPECT_LT(area[1], area[2]);
  EXPECT_EQ(file_text("IsoPoly.prj"), projection_text);
  EXPECT_EQ(layers(), (std::vector<std::string>{"roads", "IsoPoly"}));
  const auto renderer = zone_renderer();
  ASSERT_TRUE(renderer);
  EXPECT_EQ(renderer->ValueCount(), 3);
  EXPECT_EQ(renderer->Label("3"), "2 - 3 Kilometers");

  // The flag stands on the nearest node; the temporaries are gone.
  EXPECT_EQ(markers_on_map(), 1);
  EXPECT_EQ(shared_state().gPolyCentre.X, 1000);
  EXPECT_EQ(shared_state().gPolyCentre.Y, 1000);
  for (const char* temporary : {"IsoPly.shp", "IsoPoly1.shp", "IsoPoly2.shp"})
    EXPECT_FALSE(exists(temporary)) << temporary;
  EXPECT_NE(settings_text().find("EDITED"), std::string::npos);
  EXPECT_TRUE(messages().empty());

  // Rings: the next click replaces the output and its flag, and each zone less the one inside.
  shared_state().gDoughnut = true;
  click_tool(3100, 1000);
  EXPECT_EQ(layers(), (std::vector<std::string>{"roads", "IsoPoly"}));
  EXPECT_EQ(markers_on_map(), 1);
  EXPECT_EQ(shared_state().gPolyCentre.X, 3000);
  const auto rings = areas();
  ASSERT_EQ(rings.size(), 3U);
  EXPECT_LT(rings[1], area[1] - area[0] / 2);
}

// The legend names each zone by the limits the user gave, whole or not.
TEST_F(IsoPolyTool, EveryZoneIsLabelledByItsOwnLimits) {
  network(row_of_links());
  const std::vector<std::pair<std::vector<float>, std::vector<std::string>>> cases = {
      {{0.5F, 1.5F, 2.5F}, {"0 - 0.5 Kilometers", "0.5 - 1.5 Kilometers", "1.5 - 2.5 Kilometers"}},
      {{1, 2, 3}, {"0 - 1 Kilometers", "1 - 2 Kilometers", "2 - 3 Kilometers"}},
  };
  for (const auto& [limits, labels] : cases) {
    zones(limits);
    click_tool(900, 1040);
    EXPECT_EQ(zone_labels(), labels);
  }
}

TEST_F(IsoPolyTool, ClippingCutsTheZonesToTheClipLayer) {
  network(row_of_links());
  zones({1, 2, 3});
  struct Case {
    const char* what;
    std::vector<std::vector<double>> clip;
    std::vector<double> cost_ends;
  };
  // The zones reach 1, 2 and 3 km east of (0, 1000), widened by the 1 km median link length.
  const std::vector<Case> cases = {
      {"one polygon over half of every zone", {{-5000, 1000, 5000, 6000}}, {1, 2, 3}},
      {"two polygons, the engine's order",
       {{-5000, 1000, 0, 6000}, {0, -4000, 5000, 1000}},
       {3, 2, 1}},
      {"zones the one polygon misses are left out", {{3500, -5000, 5000, 5000}}, {3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    clip_to(c.clip);
    click_tool(0, 1000);
    EXPECT_EQ(numbers(*open("IsoPoly"), "COST_END"), c.cost_ends);
    EXPECT_EQ(layers(), (std::vector<std::string>{"roads", "IsoPoly", "Clip"}));
    EXPECT_EQ(file_text("IsoPoly.prj"), projection_text);
    EXPECT_FALSE(exists("IsoPoly1.shp"));
    EXPECT_TRUE(messages().empty());
  }
}

// A clip layer that cannot cut zones is told by name and reason before anything is removed:
// the last output stays and no temporary is written.
TEST_F(IsoPolyTool, AClipLayerThatCannotCutIsToldAndChangesNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    std::vector<std::vector<double>> clip;
    std::string reason;
  };
  const std::vector<Case> cases = {
      {"no polygon", {}, "it holds no polygon"},
      {"a vertex that is not a number",
       {{-5000, 1000, nan, 6000}},
       "polygon 0 has a vertex whose coordinates are not finite numbers"},
      {"an infinite vertex after a good polygon",
       {{-5000, 1000, 5000, 6000}, {0, 0, inf, 10}},
       "polygon 1 has a vertex whose coordinates are not finite numbers"},
      {"polygons without area",
       {{1000, 0, 1000, 6000}, {0, 500, 4000, 500}},
       "its polygons have no area"},
      {"away from the network",
       {{10000, 1000, 12000, 3000}},
       "it does not meet the network layer roads"},
  };
  network(row_of_links());
  zones({1, 2});
  click_tool(0, 1000); // the last output, unclipped
  const auto last_output = file_text("IsoPoly.dbf");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    clip_to(c.clip);
    user_->messages.clear();
    click_tool(0, 1000);
    EXPECT_EQ(messages(), (std::vector<std::string>{clip_refusal(c.reason)}));
    EXPECT_EQ(layers(), (std::vector<std::string>{"Clip", "roads", "IsoPoly"}));
    EXPECT_EQ(file_text("IsoPoly.dbf"), last_output);
    expect_no_temporaries();
  }
}

// A clip layer that meets the network but no zone: the user learns why the map has no zones,
// and neither an empty output nor a temporary stays.
TEST_F(IsoPolyTool, AClipLayerNoZoneReachesIsToldAndLeavesNoFiles) {
  network(row_of_links());
  zones({1, 2});
  clip_to({{3500, -5000, 5000, 5000}});
  click_tool(0, 1000);
  EXPECT_EQ(messages(), (std::vector<std::string>{no_zone_in_clip()}));
  EXPECT_EQ(layers(), (std::vector<std::string>{"roads", "Clip"}));
  EXPECT_FALSE(exists("IsoPoly.shp"));
  expect_no_temporaries();
}

TEST_F(IsoPolyTool, ACutOfHalfTheZonesKeepsHalfTheirArea) {
  network(row_of_links());
  zones({1, 2});
  click_tool(0, 1000);
  const auto whole = areas();
  clip_to({{-5000, 1000, 5000, 6000}});
  click_tool(0, 1000);
  const auto half = areas();
  ASSERT_EQ(half.size(), 2U);
  // The zones lie symmetric about the row of links.
  EXPECT_NEAR(half[0], whole[0] / 2, whole[0] * 1e-6);
  EXPECT_NEAR(half[1], whole[1] / 2, whole[1] * 1e-6);
}

TEST_F(IsoPolyTool, EdgeCasesAsATable) {
  struct Case {
    const char* what;
    std::vector<float> zones;
    bool clip_layer_gone;
    bool without_prj;
    std::vector<std::string> messages;
    bool output; // "IsoPoly" written and shown
    bool renders;
  };
  const std::vector<Case> cases = {
      {"one zone keeps the host's drawing", {2}, false, false, {}, true, false},
      {"no zones refuse before anything is removed",
       {},
       false,
       false,
       {"Error: Create zones"},
       true,
       true},
      {"a clip layer gone from the map runs unclipped",
       {1, 2},
       true,
       false,
       {"Clip Layer: Clip layer not found"},
       true,
       true},
      {"a missing projection ends after the old output is gone",
       {1, 2},
       false,
       true,
       {"PRJ: The chosen polyline layer is missing projection information. Please use ArcCatalog "
        "to add this."},
       false,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    network(row_of_links());
    zones({1, 2});
    click_tool(1000, 1000); // an earlier result, drawn by zone
    user_->messages.clear();
    zones(c.zones);
    if (c.clip_layer_gone) {
      shared_state().gClipMode = ClipMode::ToLayer;
      shared_state().gClipLayerName = "Gone";
    }
    if (c.without_prj)
      std::filesystem::remove(path("roads.prj"));
    click_tool(2000, 1000);
    EXPECT_EQ(messages(), c.messages);
    EXPECT_EQ(exists("IsoPoly.shp"), c.output);
    const auto renderer = zone_renderer();
    EXPECT_EQ(renderer != nullptr, c.renders);
    // The centre's flag of the run that drew the output: a run that wrote none draws none.
    EXPECT_EQ(markers_on_map(), c.output ? 1 : 0);
    TearDown();
    SetUp();
  }
}

TEST_F(IsoPolyTool, AMissingClipLayerIsReportedOnce) {
  network(row_of_links());
  zones({1, 2});
  shared_state().gClipMode = ClipMode::ToLayer;
  shared_state().gClipLayerName = "Gone";
  click_tool(0, 1000);
  click_tool(0, 1000);
  EXPECT_EQ(messages(), (std::vector<std::string>{"Clip Layer: Clip layer not found"}));
  EXPECT_EQ(shared_state().gClipMode, ClipMode::LayerMissing);
  EXPECT_EQ(shared_state().gClipLayerName, "");
  EXPECT_EQ(numbers(*open("IsoPoly"), "COST_END"), (std::vector<double>{1, 2}));
}

// A file under the output's name that cannot be read is no output of the system's own.
TEST_F(IsoPolyTool, AnOldOutputThatCannotBeReadStaysAndTheClickEndsNamingIt) {
  network(row_of_links());
  zones({1, 2});
  clip_to({{-5000, 1000, 5000, 6000}});
  std::ofstream(path("IsoPoly.shp"), std::ios::binary) << "not a shapefile";
  click_tool(0, 1000);
  EXPECT_EQ(file_text("IsoPoly.shp"), "not a shapefile");
  EXPECT_EQ(layers(), (std::vector<std::string>{"Clip", "roads"}));
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Output File: " + path("IsoPoly.shp") +
                            " cannot be read as a shapefile; Corvane's IsoPoly output holds "
                            "polygons with some of the fields COST_END, Cost_start, Cost_end, ID "
                            "and at most one field of a point layer. Corvane writes that output "
                            "under this name: move or rename the file, then try again."}));
}

TEST_F(IsoPolyTool, ARingBeyondTheWholeNetworkIsLeftOut) {
  network(row_of_links()); // 4 km of road east of (0, 1000)
  shared_state().gDoughnut = true;
  zones({1, 5, 8});
  click_tool(0, 1000);
  // The 5 - 8 km ring holds nothing: no record stands for it, the legend lists every zone.
  EXPECT_EQ(numbers(*open("IsoPoly"), "COST_END"), (std::vector<double>{1, 5}));
  EXPECT_EQ(zone_renderer()->ValueCount(), 3);
}

// A client's road to the cost bands: the tool made by its ProgID through the module's class
// factory, given the application, asked for IIsoPoly.
com::ComPtr<IIsoPoly> iso_poly_by_prog_id() {
  for (const auto& c : com::module_classes())
    if (c.prog_id == "Corvane.IsoPoly") {
      com::ComPtr<IIsoPoly> made;
      EXPECT_EQ(c.create(IIsoPoly::iid, made.put_void()), com::S_OK);
      return made;
    }
  return nullptr;
}

int rgb_of(const com::ComPtr<host::HostSymbol>& symbol) {
  const auto colour = symbol.as<host::HostSimpleFillSymbol>()->Color().as<host::HostRgbColor>();
  return colour->Red() << 16 | colour->Green() << 8 | colour->Blue();
}

TEST_F(IsoPolyTool, AClientDrawsTheZonesInCostBandsThroughClassifyManual2) {
  const auto client = iso_poly_by_prog_id();
  ASSERT_TRUE(client);
  create(*client.as<host::ICommand>());
  std::int32_t count = 2;
  // No run yet: no "IsoPoly" layer to draw, and the client hears it.
  EXPECT_TRUE(com::FAILED(client->ClassifyManual2(&count)));
  EXPECT_EQ(client->ClassifyManual2(nullptr), com::E_POINTER);

  network(row_of_links());
  shared_state().gRouteType = RouteFastest;
  zones({5, 10});
  EXPECT_EQ(mouse_down(*client.as<host::ITool>(), 900, 1040, 1, 0), com::S_OK);
  ASSERT_TRUE(zone_renderer()); // the tool's own drawing, by zone

  EXPECT_EQ(client->ClassifyManual2(&count), com::S_OK);
  EXPECT_EQ(count, 2);
  const auto bands = map()
                         ->Layer(1)
                         .as<host::HostGeoFeatureLayer>()
                         ->Renderer()
                         .as<host::HostClassBreaksRenderer>();
  ASSERT_TRUE(bands);
  EXPECT_EQ(bands->Field(), "COST_END");
  ASSERT_EQ(bands->BreakCount(), 2);
  EXPECT_EQ(bands->Label(0), "0-5 Minutes");
  EXPECT_EQ(bands->Label(1), "5-10 Minutes");
  EXPECT_DOUBLE_EQ(bands->Break(1), 10);
  EXPECT_EQ(rgb_of(bands->Symbol(0)), 0xF2E9FA); // RGB(242, 233, 250)
  EXPECT_EQ(rgb_of(bands->Symbol(1)), 0xFFBEC7); // RGB(255, 190, 199)
  const auto look = bands.as<host::HostClassBreaksUIProperties>();
  EXPECT_EQ(look->ColorRamp(), "MyCustomRamp");
  EXPECT_DOUBLE_EQ(look->LowBreak(1), 10);

  // More bands than the run had zones, or none: refused, the drawing stays.
  for (const std::int32_t refused : {3, 0, -1}) {
    SCOPED_TRACE(refused);
    count = refused;
    EXPECT_EQ(client->ClassifyManual2(&count), com::E_INVALIDARG);
    EXPECT_EQ(map()
                  ->Layer(1)
                  .as<host::HostGeoFeatureLayer>()
                  ->Renderer()
                  .as<host::HostClassBreaksRenderer>()
                  ->BreakCount(),
              2);
  }
}

// The same interface of the add-in module as a program that loads it reaches it: registered,
// created by its ProgID. An object never given an application has no map to draw on.
TEST(IsoPolyClient, FindsClassifyManual2OnTheRegisteredClass) {
  ASSERT_EQ(com::register_module(std::filesystem::path(AppPath()) / "libcorvane.so"), com::S_OK);
  const auto client = com::create_object<IIsoPoly>("Corvane.IsoPoly");
  ASSERT_TRUE(client);
  std::int32_t count = 2;
  EXPECT_TRUE(com::FAILED(client->ClassifyManual2(&count)));
  EXPECT_EQ(count, 2);
}

} // namespace
} // namespace corvane

namespace corvane {
namespace {

// A disk that fills at any size of write (each file may grow to so many bytes, and a write
// beyond fails as one on a full disk does): the click says which file and why, never a code;
// "IsoPoly" is one click's whole set or none; the next click with space back writes the whole
// zones and leaves nothing of a replacement.
TEST_F(IsoPolyTool, AFullDiskAtAnyWriteIsToldAndTheNextClickWritesTheWholeZones) {
  network(row_of_links());
  zones({1, 2, 3});
  click_tool(900, 1040);
  const auto set_names = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path()))
      if (entry.path().stem() == "IsoPoly" && entry.path().extension() != ".prj")
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const auto whole = set_names();
  int told = 0;
  for (const rlim_t room : {0, 1, 100, 300, 1000, 3000}) {
    SCOPED_TRACE("room for " + std::to_string(room) + " bytes a file");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{.rlim_cur = room, .rlim_max = room};
      setrlimit(RLIMIT_FSIZE, &limit);
      mouse_down(*tool_, 900, 1040, 1, 0);
      int outcome = 0; // written; 2 told, 1 shown something else
      for (const auto& message : messages()) {
        const bool told = message.find(path()) != std::string::npos &&
                          message.ends_with("then try again") &&
                          message.find(" failed (") == std::string::npos;
        const bool other_file = message.find("Corvane.ini") != std::string::npos;
        if (!told && !other_file) {
          std::fprintf(stderr, "shown: %s\n", message.c_str());
          outcome = 1;
        } else if (told && outcome == 0) {
          outcome = 2;
        }
      }
      std::fflush(stderr);
      _exit(outcome);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_NE(WEXITSTATUS(status), 1);
    told += WEXITSTATUS(status) == 2;
    const auto left = set_names();
    if (!left.empty()) {
      EXPECT_EQ(left, whole);
    }
    click_tool(900, 1040);
    EXPECT_TRUE(messages().empty()) << messages().back();
    EXPECT_EQ(numbers(*open("IsoPoly"), "COST_END"), (std::vector<double>{1, 2, 3}));
    for (const auto& entry : std::filesystem::directory_iterator(path())) {
      const auto extension = entry.path().extension();
      EXPECT_TRUE(extension != ".tmp" && extension != ".replacing") << entry.path();
      EXPECT_EQ(entry.path().filename().string().find('~'), std::string::npos) << entry.path();
    }
  }
  EXPECT_GT(told, 0);
}

// A map in degrees over a network in metres, clicked where no latitude is (the metres of the
// network read as degrees): the point cannot be taken into the network's coordinates, and the
// user is told so, with the point and both coordinate systems, instead of a call's code;
// nothing is written or drawn.
TEST_F(IsoPolyTool, AClickThatCannotBeProjectedSaysSoInWords) {
  network(row_of_links());
  zones({1, 2});
  // The network layer anew over its files, so that it has their ".prj"'s coordinate system.
  const auto roads = corvane::create<host::HostFeatureLayer>(host::FeatureLayerClass);
  roads->SetFeatureClass(open("roads").get());
  roads->SetName("roads");
  map()->ClearLayers();
  ASSERT_EQ(map()->AddLayer(roads.get()), com::S_OK);
  const auto systems =
      corvane::create<host::HostSpatialReferenceFactory>(host::SpatialReferenceEnvironmentClass);
  com::ComPtr<host::HostSpatialReference> degrees;
  ASSERT_EQ(systems->CreateFromText("EPSG:4326", &degrees), com::S_OK);
  map()->SetSpatialReference(degrees.get());
  EXPECT_EQ(mouse_down(*tool_, 900, 1040, 1, 0), com::S_OK);
  ASSERT_EQ(messages().size(), 1u) << ::testing::PrintToString(messages());
  EXPECT_TRUE(messages()[0].starts_with("Error: The clicked point (900, 1040) cannot be placed in "
                                        "the network's coordinates ("))
      << messages()[0];
  EXPECT_TRUE(messages()[0].ends_with("The run did not finish.")) << messages()[0];
  EXPECT_FALSE(exists("IsoPoly.shp"));
  EXPECT_EQ(markers_on_map(), 0);
}

// A network folder the user cannot write: one box with the reason (not first one for the edit
// stamp), and no flag for a run that wrote nothing.
TEST_F(IsoPolyTool, AFolderThatCannotBeWrittenGivesOneBoxAndNoFlag) {
  if (geteuid() != 0)
    GTEST_SKIP() << "the run leaves the root user to lose the right to write, which only root may";
  network(row_of_links());
  zones({1, 2});
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    chmod(path().c_str(), 0555);
    for (const auto& entry : std::filesystem::directory_iterator(path()))
      chmod(entry.path().c_str(), 0444);
    if (setgid(65534) != 0 || setuid(65534) != 0)
      _exit(3);
    user_->messages.clear();
    mouse_down(*tool_, 900, 1040, 1, 0);
    const auto said = messages();
    const bool one_box = said.size() == 1 && said[0].find("EDITED") == std::string::npos &&
                         said[0].find(path()) != std::string::npos;
    if (!one_box)
      std::fprintf(stderr, "shown: %s\n", ::testing::PrintToString(said).c_str());
    std::fflush(stderr);
    _exit(one_box && markers_on_map() == 0 ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  chmod(path().c_str(), 0755);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A disk full from any write of a click on (the engine's zones, their copy, the records of the
// replacements and the clean-up's own writes after it): one box, the full disk's reason first,
// no scratch set left, no flag of a run that wrote nothing, and the next click with space back
// writes the whole zones.
TEST_F(IsoPolyTool, ADiskFullFromAnyWriteOnIsToldOnceAndLeavesNoScratchSet) {
  network(row_of_links());
  zones({1, 2, 3});
  click_tool(900, 1040);
  const long writes = testing::WritesOf([&] { click_tool(900, 1040); });
  ASSERT_GT(writes, 5);
  for (long from = 0; from < writes; ++from) {
    SCOPED_TRACE("full from write " + std::to_string(from) + " of " + std::to_string(writes));
    user_->messages.clear();
    {
      const testing::FullDiskFrom full(from);
      mouse_down(*tool_, 900, 1040, 1, 0);
    }
    EXPECT_TRUE(testing::ToldNoSpace(messages()));
    EXPECT_EQ(testing::LeftBehind(path(), {"IsoPly", "IsoPoly1"}), std::vector<std::string>{});
    if (!exists("IsoPoly.shp")) {
      EXPECT_EQ(markers_on_map(), 0);
    }
    user_->messages.clear();
    click_tool(900, 1040);
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(numbers(*open("IsoPoly"), "COST_END"), (std::vector<double>{1, 2, 3}));
  }
}

// The same on a real disk: a small file system over the network folder, filled to a few
// kilobytes free at a time, from less than a record's room to more than one zone set's.
TEST_F(IsoPolyTool, ARealFullDiskIsToldOnceAndTheNextClickWritesTheWholeZones) {
  testing::SmallDisk disk(path(), 4);
  if (!disk.mounted())
    GTEST_SKIP() << disk.why();
  network(row_of_links());
  zones({1, 2, 3});
  click_tool(900, 1040);
  int told = 0;
  for (const std::uintmax_t free_kilobytes : {0, 4, 8, 12, 16, 24, 32, 48, 64, 96}) {
    SCOPED_TRACE(std::to_string(free_kilobytes) + " KB free");
    user_->messages.clear();
    ASSERT_TRUE(disk.leave_free(free_kilobytes));
    mouse_down(*tool_, 900, 1040, 1, 0);
    if (!messages().empty()) {
      EXPECT_TRUE(testing::ToldNoSpace(messages()));
      ++told;
    }
    disk.empty_filler();
    EXPECT_EQ(testing::LeftBehind(path(), {"IsoPly", "IsoPoly1"}), std::vector<std::string>{});
    user_->messages.clear();
    click_tool(900, 1040);
    EXPECT_EQ(messages(), std::vector<std::string>{});
    EXPECT_EQ(numbers(*open("IsoPoly"), "COST_END"), (std::vector<double>{1, 2, 3}));
  }
  EXPECT_GT(told, 0);
}

} // namespace
} // namespace corvane
