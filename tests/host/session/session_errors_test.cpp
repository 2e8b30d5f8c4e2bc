// A session line that cannot be carried out ends the run at that line, with a reason that
// lets the session's author mend it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <map>

#include <gdal_utils.h>
#include <ogrsf_frmts.h>

#include "run_gishost.h"

namespace {

std::string last_line(const std::string& transcript) {
  const auto end = transcript.find_last_not_of('\n');
  if (end == std::string::npos)
    return {};
  const auto start = transcript.rfind('\n', end);
  return transcript.substr(start == std::string::npos ? 0 : start + 1,
                           end - (start == std::string::npos ? 0 : start + 1) + 1);
}

TEST(SessionErrorsTest, TheFirstLineThatCannotBeCarriedOutEndsTheRun) {
  const SampleFolder work("gishost-errors");
  const std::string roads = "layer add gothenburg/roads.shp\n";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"frobnicate\nlayer add nowhere.shp\n",
       "error 1: unknown verb \"frobnicate\" (layer, map, view, command, tool, click, answer, "
       "form, edit, key, export, expect, show)"},
      {"layer add nowhere/roads.shp\n", "error 1: nowhere/roads.shp does not exist"},
      {"layer add gothenburg/roads.prj\n",
       "error 1: gothenburg/roads.prj is neither a shapefile nor a .dbf table"},
      {"layer remove roads\n", "error 1: the map has no layer roads"},
      {"map units Furlongs\n",
       "error 1: unknown unit \"Furlongs\" (Unknown, Inches, Points, Feet, Yards, Miles, "
       "NauticalMiles, Millimeters, Centimeters, Meters, Kilometers, DecimalDegrees, Decimeters)"},
      {"view 10 10 10 20\n", "error 1: the extent is empty"},
      {"view 10 10 x 20\n", "error 1: XMAX \"x\" is not a number"},
      {"command Corvane.Nothing\n", "error 1: Corvane.Nothing is not registered (gishost "
                                    "--classes lists the registered classes)"},
      {"tool corvanetest.pointtol\n", "error 1: corvanetest.pointtol is not registered (the "
                                      "nearest registered: CorvaneTest.PointTool)"},
      {"tool CorvaneTest.Hello\n", "error 1: CorvaneTest.Hello is not a tool"},
      {"click 1 2\n", "error 1: no tool is current: pick one with the verb tool first"},
      {roads + "tool CorvaneTest.PointTool\nclick 0 0\n",
       "error 3: the map point 0 0 is outside the view, which shows 670508.615923582 "
       "6393980.75486445 to 684680.280726063 6405318.08670643"},
      {roads + "tool CorvaneTest.PointTool\nclick 678440 6400655 middle\n",
       "error 3: unknown modifier \"middle\" (ctrl, shift, alt, right)"},
      {"answer Maybe\n",
       "error 1: unknown answer \"Maybe\" (OK, Cancel, Abort, Retry, Ignore, Yes, No)"},
      {"answer Yes\ncommand CorvaneTest.Hello\n",
       "error 1: the message box \"Hello from the test add-in\\nsecond line\" has no Yes button"},
      {"form PickForm frob Combo1\n", "error 1: unknown form action \"frob\" (set, select, check, "
                                      "click, dblclick, key, hover, close, state)"},
      {"form PickForm check Check1\n", "error 1: missing value for check"},
      {"form PickForm click CmdOk now\n", "error 1: unexpected \"now\""},
      {roads + "form PickForm click CmdNone\ncommand CorvaneTest.Pick\n",
       "error 2: form PickForm: no control CmdNone (controls: Label1, Combo1, Text1, Check1, "
       "CmdOk, CmdCancel)"},
      {"edit stop\n", "error 1: no edit session is open"},
      {"edit start\nedit start\n", "error 2: an edit session is already open"},
      {"key enter\n", "error 1: unknown key \"enter\" (escape)"},
      {"key escape\n", "error 1: no long operation took this Esc key"},
      {"export map.png\n", "error 1: map.png is no .svg file"},
      {"expect message Hello\n",
       "error 1: expected the message \"Hello\", but no message box was shown"},
      {"command CorvaneTest.Hello\nexpect message Goodbye\n",
       "error 2: expected the message \"Goodbye\", but the last message box showed \"Hello from "
       "the test add-in\\nsecond line\""},
      {"show colours\n", "error 1: unknown thing to show \"colours\" (menus)"},
      {"form PickFrom click CmdOk\n",
       "error 1: form PickFrom was not shown to take this step (no dialog is named PickFrom; the "
       "dialogs: PickForm)"},
  };
  for (const auto& [session, error] : cases) {
    int status = 0;
    const auto transcript = work.run(session, status);
    EXPECT_NE(status, 0) << session;
    EXPECT_EQ(last_line(transcript), error) << session;
  }
}

TEST(SessionErrorsTest, APointInTheViewsLastHalfPixelIsClickedOnItsLastPixel) {
  const SampleFolder work("gishost-edge");
  const std::string start = "layer add gothenburg/roads.shp\nview 0 0 1000 800\n"
                            "tool CorvaneTest.PointTool\n";
  int status = -1;
  auto transcript = work.run(start + "click 999.7 0.2\n", status);
  EXPECT_EQ(status, 0) << transcript;
  EXPECT_NE(transcript.find("\"Clicked pixel 999 799 button 1 shift 0\""), std::string::npos)
      << transcript;

  // Beyond the edge by a pixel: refused, naming the point and what the view shows.
  transcript = work.run(start + "click 1001 400\n", status);
  EXPECT_NE(status, 0);
  EXPECT_EQ(last_line(transcript),
            "error 4: the map point 1001 400 is outside the view, which shows 0 0 to 1000 800");
}

// The roads of the sample in longitudes and latitudes: the extent of such a layer is not
// reckoned back exactly from the view's centre and resolution.
std::string roads_in_degrees(const SampleFolder& work, OGREnvelope& extent) {
  GDALAllRegister();
  GDALDatasetUniquePtr roads(GDALDataset::Open((work.path / "gothenburg/roads.shp").c_str(),
                                               GDAL_OF_VECTOR));
  const char* arguments[] = {"-t_srs", "EPSG:4326", nullptr};
  auto* options = GDALVectorTranslateOptionsNew(const_cast<char**>(arguments), nullptr);
  const auto target = work.path / "degrees.shp";
  GDALDatasetH source = roads.get();
  GDALDatasetUniquePtr degrees(GDALDataset::FromHandle(GDALVectorTranslate(
      target.c_str(), nullptr, 1, &source, options, nullptr)));
  GDALVectorTranslateOptionsFree(options);
  if (!degrees || degrees->GetLayer(0)->GetExtent(&extent, true) != OGRERR_NONE)
    return "";
  return "layer add degrees.shp\n";
}

// After `layer add` the view shows the layer's whole extent: a click on any of its edges or
// corners is in the view, on the edge's pixel.
TEST(SessionErrorsTest, EveryEdgeAndCornerOfTheFullExtentIsInTheView) {
  const SampleFolder work("gishost-full-extent");
  OGREnvelope extent;
  const auto add = roads_in_degrees(work, extent);
  ASSERT_FALSE(add.empty());
  const double middle_x = (extent.MinX + extent.MaxX) / 2;
  const double middle_y = (extent.MinY + extent.MaxY) / 2;
  struct Case {
    const char* where;
    double x, y;
    int column; // the layer is wider than the view's shape: it fills the width
  };
  const Case cases[] = {
      {"north-west", extent.MinX, extent.MaxY, 0}, {"north", middle_x, extent.MaxY, 500},
      {"north-east", extent.MaxX, extent.MaxY, 999}, {"west", extent.MinX, middle_y, 0},
      {"east", extent.MaxX, middle_y, 999},          {"south-west", extent.MinX, extent.MinY, 0},
      {"south", middle_x, extent.MinY, 500},         {"south-east", extent.MaxX, extent.MinY, 999},
  };
  std::map<std::string, int> row;
  for (const auto& c : cases) {
    char click[128];
    std::snprintf(click, sizeof click, "click %.17g %.17g\n", c.x, c.y);
    int status = -1;
    const auto transcript = work.run(add + "tool CorvaneTest.PointTool\n" + click, status);
    EXPECT_EQ(status, 0) << c.where << ": " << transcript;
    int px = -1, py = -1;
    const auto at = transcript.find("Clicked pixel ");
    ASSERT_NE(at, std::string::npos) << c.where << ": " << transcript;
    ASSERT_EQ(std::sscanf(transcript.c_str() + at, "Clicked pixel %d %d", &px, &py), 2);
    EXPECT_EQ(px, c.column) << c.where;
    row[c.where] = py;
  }
  // The extent is centred across the height: its north and south edges lie as far from the
  // top and the bottom.
  EXPECT_EQ(row["north"], row["north-west"]);
  EXPECT_EQ(row["south"], row["south-east"]);
  EXPECT_EQ(row["west"], 400);
  EXPECT_GT(row["north"], 0);
  EXPECT_NEAR(row["north"] + row["south"], 800, 1);
}

} // namespace
