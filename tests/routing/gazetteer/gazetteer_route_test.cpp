#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "com/create.h"
#include "dialogs/routing/frm_gezetted.h"
#include "dialogs/routing/frm_gezz1.h"
#include "forms/user.h"
#include "gazetteer_network.h"
#include "host/graphics_container.h"
#include "host/mouse_cursor.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

using forms::Gesture;

// The person at the screen, who also notes the mouse pointer whenever a message box shows.
class PointerWatch final : public com::ComObject<forms::User> {
public:
  explicit PointerWatch(forms::testing::ScriptedUser& person) : person_(&person) {}

  void FormShown(forms::IForm& form, bool modal) override { person_->FormShown(form, modal); }
  void WorkModal(forms::IForm& form) override { person_->WorkModal(form); }
  void FormClosedByFrame(forms::IForm& form) override { person_->FormClosedByFrame(form); }
  void PointerChanged(forms::IForm& form) override { person_->PointerChanged(form); }
  forms::Answer MessageBox(const forms::Message& message) override {
    pointers.push_back(create<host::HostMouseCursor>(host::MouseCursorClass)->Cursor());
    return person_->MessageBox(message);
  }
  bool EscapePressed() override { return person_->EscapePressed(); }

  std::vector<int> pointers;

private:
  forms::testing::ScriptedUser* person_; // borrowed: the fixture's person
};

// A gazetteer run: the stops by value (a value shared by several places picks the first),
// the mode, OK.
class GazetteerRun : public testing::GazetteerTest {
protected:
  void SetUp() override {
    GazetteerTest::SetUp();
    build();
    auto& state = shared_state();
    state.gTspMode = TspMode{.kind = TourKind::StartEnd};
  }

  void directions_on() {
    shared_state().gUseDescField = 1;
    shared_state().gDescFieldName = "NAME";
  }

  void route(const std::vector<std::string>& values, bool optimise = false) {
    person_->expect<FrmGezetted>("FrmGezetted", [values, optimise](FrmGezetted& d) {
      for (const auto& value : values) {
        testing::act(d, "Text1", Gesture::Set, value);
        testing::act(d, "CmdAdd", Gesture::Click);
      }
      if (optimise)
        testing::act(d, "OptOptimise", Gesture::Click);
      testing::act(d, "CmdOk", Gesture::Click);
    });
    for (const auto& value : values)
      if (value == "Beta")
        person_->expect<FrmGezz1>("FrmGezz1", [](FrmGezz1& p) {
          testing::act(p, "Gezz1List", Gesture::DoubleClick, "#0");
        });
    ASSERT_TRUE(run_gazetteer());
  }

  bool stamped() const { return settings_text().find("EDITED") != std::string::npos; }
};

TEST_F(GazetteerRun, RouteModeLabelsEveryStopAndNamesEachLegsStops) {
  directions_on();
  const auto watch = com::make<PointerWatch>(*person_);
  forms::set_user(watch);
  route({"Alpha", "Beta", "O'Brien Square"});
  forms::set_user(com::ComPtr<forms::User>(&*person_));
  // The busy pointer of the directions is gone before the totals are read.
  EXPECT_EQ(watch->pointers, std::vector<int>{0});
  EXPECT_EQ(texts_on_map(), (std::vector<std::string>{"Alpha(Start)", "Beta\n  ( 1)",
                                                      "O'Brien Square\n     (End)"}));
  const auto output = open("Route");
  EXPECT_EQ(
      texts(*output, "Direction"),
      (std::vector<std::string>{"Alpha(Start)  to  Beta", "Start Along", "Turn to the Left",
                                "Beta  to  O'Brien Square", "U-Turn like", "Turn to the Left"}));
  EXPECT_NEAR(numbers(*output, "TotalDist").back(), 0.8, 1e-4);
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 6U);
  EXPECT_EQ(shown(), std::vector<std::string>{
                         "Shortest Path: Total Distance = 0.8 Kilometers and Total Time= 1.6 "
                         "Minutes"});
  EXPECT_EQ(shared_state().gRouteStopCount, 2);
  EXPECT_EQ(create<host::HostMouseCursor>(host::MouseCursorClass)->Cursor(), 0);
  EXPECT_TRUE(stamped());
}

TEST_F(GazetteerRun, WithoutDirectionsTheRouteLinksAreCopied) {
  route({"Alpha", "O'Brien Square"});
  const auto output = open("Route");
  EXPECT_EQ(attribute_names(*output), (std::vector<std::string>{"NAME", "CV_RESULT"}));
  EXPECT_EQ(texts(*output, "NAME"),
            (std::vector<std::string>{"Main St", "Main St", "Main St", "Main St"}));
  EXPECT_EQ(texts(*open("ViewRoute"), "NAME").size(), 4U);
  EXPECT_EQ(texts_on_map(),
            (std::vector<std::string>{"Alpha(Start)", "O'Brien Square\n     (End)"}));
}

struct TourCase {
  TspMode tsp_mode;
  std::vector<std::string> stops;
  std::vector<std::string> labels;
  std::int32_t last_row; // gRouteStopCount afterwards
};

TEST_F(GazetteerRun, OptimisedModeLabelsTheVisitingOrder) {
  const TourCase cases[] = {
      // Two or three stops keep their order; a round trip of three goes back to the start.
      {TspMode{.kind = TourKind::RoundTrip},
       {"Alpha", "O'Brien Square"},
       {"Alpha(Start)", "O'Brien Square\n         (End)"},
       1},
      {TspMode{.kind = TourKind::RoundTrip},
       {"Alpha", "Alphaville", "O'Brien Square"},
       {"Alpha(Start)", "Alphaville\n       1", "O'Brien Square\n         (End)"},
       3},
      // Four stops are toured: the end fixed by start-end, left free by start-only.
      {TspMode{.kind = TourKind::StartEnd},
       {"Alpha", "O'Brien Square", "Alphaville", "Gamma"},
       {"Alpha(Start)", "Alphaville\n       (1)", "O'Brien Square\n         (2)",
        "Gamma\n   (End)"},
       3},
      {TspMode{.kind = TourKind::StartOnly},
       {"Alpha", "O'Brien Square", "Alphaville", "Gamma"},
       {"Alpha(Start)", "Alphaville\n       (1)", "Gamma\n    (2)",
        "O'Brien Square\n         (End)"},
       3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("tsp mode " + std::to_string(c.tsp_mode.engine_code()) + ", " +
                 std::to_string(c.stops.size()) + " stops");
    shared_state().gTspMode = c.tsp_mode;
    person_->messages.clear();
    route(c.stops, true);
    EXPECT_EQ(texts_on_map(), c.labels);
    EXPECT_EQ(shared_state().gRouteStopCount, c.last_row);
    ASSERT_EQ(shown().size(), 1U);
    EXPECT_EQ(shown()[0].rfind("Shortest Path: ", 0), 0U);
    com::ComPtr<host::HostMap>(map()).as<host::HostGraphicsContainer>()->DeleteAllElements();
  }
}

TEST_F(GazetteerRun, ARouteToAnUnreachableStopEndsNearestToItAndNamesItsStops) {
  directions_on();
  route({"Alpha", "Island", "Alphaville"});
  // The first leg ends at (400, 0), the reached node nearest to the island, 400 m from Alpha
  // (as far as (200, 200), which lies farther from it); the second leg runs from there back to
  // Alphaville at (100, 0).
  EXPECT_EQ(shown(), (std::vector<std::string>{
                         "Error: From and To Points Are Not Connected. Calculating To The "
                         "Possible Extent",
                         "Shortest Path: Total Distance = 0.7 Kilometers and Total Time= 1.4 "
                         "Minutes"}));
  const auto directions = texts(*open("Route"), "Direction");
  EXPECT_EQ(std::count(directions.begin(), directions.end(), "Alpha(Start)  to  Island"), 1);
  EXPECT_EQ(std::count(directions.begin(), directions.end(), "Island  to  Alphaville"), 1);
}

TEST_F(GazetteerRun, AStopInAnotherPartOfTheNetworkEndsTheTour) {
  directions_on();
  route({"Alpha", "O'Brien Square", "Island", "Alphaville"}, true);
  EXPECT_EQ(shown(), std::vector<std::string>{
                         "Error: One or more nodes found in the subnet. Could not calculate the "
                         "route."});
  EXPECT_EQ(person_->messages[0].icon, forms::Icon::None);
  EXPECT_EQ(texts_on_map(), std::vector<std::string>{"Alpha(Start)"});
  EXPECT_TRUE(texts(*open("Route"), "Direction").empty());
  EXPECT_EQ(create<host::HostMouseCursor>(host::MouseCursorClass)->Cursor(), 0);
  EXPECT_FALSE(stamped());
}

} // namespace
} // namespace corvane
