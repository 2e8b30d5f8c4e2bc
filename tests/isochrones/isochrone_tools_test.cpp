#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "isochrones/iso_link_multi.h"
#include "isochrones/iso_poly.h"
#include "isochrones/iso_poly3.h"
#include "isochrones/link_isochrone.h"
#include "isochrones/multy_poly.h"
#include "polygon_tool_fixture.h"

namespace corvane {
namespace {

using testing::row_of_links;
using testing::row_y;

constexpr long Ctrl = 2;
constexpr long Shift = 1;

// Every isochrone tool's first click clears the route's and the centre tools' labels in the
// centres' form only: "Start", "End", "1" and a blank before a number up to the larger stop
// count. A user's own texts in plain digits, and numbers past the counts, stay.
template <class Tool> using IsochroneLabels = testing::PolygonToolTest<Tool>;
using Tools = ::testing::Types<LinkIsochrone, IsoLinkMulti, IsoPoly, IsoPoly3, MultyPoly>;
TYPED_TEST_SUITE(IsochroneLabels, Tools);

TYPED_TEST(IsochroneLabels, APlainClickSweepsBlankLedNumbersOnly) {
  this->network(row_of_links());
  this->zones({1, 2});
  auto& state = shared_state();
  state.gRouteStopCount = 2;
  state.gMultiStopCount = 3;
  for (const char* text : {"Start", "End", "1", " 2", " 3", " 4", "2", "3", "4", "02", "Other"})
    this->add_text(text, 500, row_y);
  this->click_tool(0, row_y);
  auto left = this->texts_on_map();
  // The centre tools label their new centre "1".
  left.erase(std::remove(left.begin(), left.end(), "1"), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{" 4", "2", "3", "4", "02", "Other"}));
}

// A set takes at most 3001 centres: a Ctrl+click or Shift+click past them is refused with a
// message, and the set is not calculated, whichever centre tool collects it.
template <class Tool> using CentreLimit = testing::PolygonToolTest<Tool>;
using CentreTools = ::testing::Types<IsoLinkMulti, IsoPoly3, MultyPoly>;
TYPED_TEST_SUITE(CentreLimit, CentreTools);

TYPED_TEST(CentreLimit, ACentrePastTheLimitIsRefusedAndNothingIsCalculated) {
  this->network(row_of_links());
  this->zones({1, 2});
  auto& state = shared_state();
  this->click_tool(0, row_y);
  state.gMultiStopCount = state.gStopNodes.upper() + 1;
  this->click_tool(1000, row_y, Ctrl);
  this->click_tool(2000, row_y, Shift);
  EXPECT_EQ(this->messages(),
            (std::vector<std::string>(2, "Too many centres: A set takes at most 3001 centres")));
  EXPECT_EQ(this->texts_on_map(), (std::vector<std::string>{"1"}));
  EXPECT_FALSE(this->exists("IsoPoly.shp"));
  EXPECT_FALSE(state.gNetworkResultPresent);
}

} // namespace
} // namespace corvane
