#include <gtest/gtest.h>

#include <string>

#include "routing/gazetteer_labels.h"

namespace corvane {
namespace {

struct LabelCase {
  std::string made;
  std::string expected;
};

TEST(GazetteerLabels, MarksFollowTheModeAndStandUnderTheText) {
  const LabelCase cases[] = {
      // Route mode: the start alone, "( k-1)" in the middle, five blanks before the end's mark.
      {RouteStopLabel("Alpha", 1, 3), "Alpha"},
      {RouteStopLabel("Beta", 2, 3), "Beta\n  ( 1)"},
      {RouteStopLabel("Gamma Road", 3, 3), "Gamma Road\n     (End)"},
      // Too few stops for a tour: the middle of three is " 1", the last " (End)".
      {ShortTourStopLabel("Beta", 1, 2, 3), "Beta\n   1"},
      {ShortTourStopLabel("Beta", 1, 1, 2), "Beta\n   (End)"},
      // Tours: " (m)", the end by mode; a round trip's last position reads " (m)".
      {TourStopLabel("Beta", 2, 3, TspMode{.kind = TourKind::StartEnd}), "Beta\n   (2)"},
      {TourStopLabel("Beta", 3, 3, TspMode{.kind = TourKind::StartEnd, .straight_line = true}),
       "Beta\n  (End)"},
      {TourStopLabel("Beta", 3, 3, TspMode{.kind = TourKind::StartOnly, .straight_line = true}),
       "Beta\n   (End)"},
      {TourStopLabel("Beta", 3, 3, TspMode{.kind = TourKind::RoundTrip}), "Beta\n   (3)"},
      // Blanks count characters, not bytes: six letters give four blanks.
      {TourStopLabel("ÅÄÖåäö", 1, 3, TspMode{.kind = TourKind::StartEnd}), "ÅÄÖåäö\n     (1)"},
      {TourEndName("Beta"), "Beta\n(End)"},
      {StageText("Alpha(Start)", "Beta"), "Alpha(Start)  to  Beta"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.made, c.expected);
}

} // namespace
} // namespace corvane
