#pragma once

#include <string>
#include <vector>

#include "gazetteer_network.h"
#include "tsp/tsp_final.h"

namespace corvane::testing {

// A tour test on a drawn grid: nodes every 100 m at x 0 .. 300 and y 0 .. 200, each joined to
// its east and north neighbours by a road named after its row ("Row 0", "Row 100", ...) or
// column ("Col 0", ...), and an island road from (1000, 0) to (1100, 0) that nothing joins.
// The commands run on a host application with a scripted person at the screen.
class TourTest : public GazetteerTest {
protected:
  void SetUp() override;

  // A left click of the TSP tool at map point (x, y), with the modifier mask (1 Shift, 2 Ctrl).
  void tool_click(double x, double y, long shift = 0);
  void select_tool();

  // The map's text graphics as "TEXT@X,Y" (a line feed written as "|"), in order.
  std::vector<std::string> placed_labels();
  // The map's marker graphics as "X,Y", in order.
  std::vector<std::string> markers();
  // The nodes of gStopNodes rows 0 .. gMultiStopCount as "X,Y".
  std::vector<std::string> tour();
  bool stamped() const;

  com::ComPtr<TspFinal> tool_;
};

} // namespace corvane::testing
