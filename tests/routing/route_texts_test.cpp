#include <gtest/gtest.h>

#include <string>

#include "common/turn_text_from_angle.h"
#include "common/write_route_shapefile.h"
#include "network/state/shared_state.h"
#include "routing/route_output.h"

namespace corvane {
namespace {

TEST(TurnTextFromAngle, BandsMeetAtTheirBounds) {
  const struct {
    std::int32_t angle;
    std::string_view text;
  } cases[] = {
      {0, "Straight on"},
      {15, "Straight on"},
      {16, "Slight Turn to the Left"},
      {60, "Slight Turn to the Left"},
      {61, "Turn to the Left"},
      {120, "Turn to the Left"},
      {121, "Sharp Turn to the Left"},
      {170, "Sharp Turn to the Left"},
      {171, "U-Turn like"},
      {190, "U-Turn like"},
      {191, "Sharp Turn to the Right"},
      {240, "Sharp Turn to the Right"},
      {241, "Turn to the Right"},
      {300, "Turn to the Right"},
      {301, "Slight Turn to Right"},
      {345, "Slight Turn to Right"},
      {346, "Straight on"},
      {400, "Straight on"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TurnTextFromAngle(c.angle), c.text) << c.angle;
}

TEST(TurnTextFromAngle, OnlyTheTourTableNamesAFullCircle) {
  EXPECT_EQ(TurnTextFromAngle(361, TurnTable::Route), "Straight on");
  EXPECT_EQ(TurnTextFromAngle(361, TurnTable::Tour), "Turn Angle 360 and exit in roundabout");
  EXPECT_EQ(TurnTextFromAngle(360, TurnTable::Tour), "Straight on");
}

TEST(RouteTotalsMessage, TotalsKeepSevenDigitsWithoutTrailingZeros) {
  const struct {
    std::int32_t route_type;
    float primary;
    float secondary;
    std::string units;
    std::string text;
    std::string title;
  } cases[] = {
      {RouteFastest, 14.0F, 12.5F, "Kilometers",
       "Total Distance = 12.5 Kilometers and Total Time= 14 Minute", "Fastest Path"},
      {RouteShortest, 12.5F, 14.0F, "Miles",
       "Total Distance = 12.5 Miles and Total Time= 14 Minute", "Shortest Path"},
      {RouteShortest, 1234.56789F, 0.1F + 0.2F, "Kilometers",
       "Total Distance = 1234.568 Kilometers and Total Time= 0.3 Minute", "Shortest Path"},
      {RouteShortest, 0, 0, "Kilometers", "Total Distance = 0 Kilometers and Total Time= 0 Minute",
       "Shortest Path"},
  };
  for (const auto& c : cases) {
    const auto message = RouteTotalsMessage(c.route_type, c.primary, c.secondary, c.units);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, c.text);
    EXPECT_EQ(message->title, c.title);
  }
  EXPECT_FALSE(RouteTotalsMessage(0, 1, 1, "Kilometers"));
}

TEST(CutToWidth, CutsBytesButNeverACharacter) {
  EXPECT_EQ(cut_to_width("Turn Angle 360 and exit in roundabout", 30),
            "Turn Angle 360 and exit in rou");
  EXPECT_EQ(cut_to_width("Short", 30), "Short");
  // "Ö" is two bytes: a width that ends inside it drops it whole.
  EXPECT_EQ(cut_to_width("GÖTEBORG", 2), "G");
  EXPECT_EQ(cut_to_width("GÖTEBORG", 3), "GÖ");
}

} // namespace
} // namespace corvane
