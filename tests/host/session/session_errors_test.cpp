// A session line that cannot be carried out ends the run at that line, with a reason that
// lets the session's author mend it.
#include <gtest/gtest.h>

#include <sys/wait.h>

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
       "error 3: the map point is outside the view"},
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

  transcript = work.run(start + "click 1000 400\n", status);
  EXPECT_NE(status, 0);
  EXPECT_EQ(last_line(transcript), "error 4: the map point is outside the view");
}

TEST(SessionErrorsTest, ACommandThatIsNotEnabledIsNotClickedAndTheRunGoesOn) {
  const SampleFolder work("gishost-disabled");
  int status = -1;
  const auto transcript = work.run("command CorvaneTest.Never\nedit start\nedit stop\n", status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(transcript, "disabled CorvaneTest.Never\n");
}

// A session of comments alone most likely names the wrong file: it is refused, not run.
TEST(SessionErrorsTest, ASessionWithoutStepsIsRefusedWithTheUsage) {
  const SampleFolder work("gishost-empty");
  int status = -1;
  const auto transcript = work.run("# layer add gothenburg/roads.shp\n\n", status);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(transcript, "");
  EXPECT_EQ(work.errors().rfind("gishost: the session test.session holds no steps\nusage: ", 0), 0u)
      << work.errors();
}

} // namespace
