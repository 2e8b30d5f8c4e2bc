#pragma once

#include <cstdint>
#include <vector>

#include "command/command_base.h"

namespace corvane {

// Map tool: the cost bands of every link around one clicked centre. Every click, with any
// button or modifier, is one whole run: the nearest node becomes the centre (marked with the
// "IsoLink" flag), the engine writes each link's cost up to the largest zone limit into
// "CV_RESULT", and the network layer is drawn in the bands of the zone list (with two zones or
// more; with one the layer keeps its drawing).
class LinkIsochrone final : public ToolBase {
public:
  LinkIsochrone();

protected:
  void mouse_down(long button, long shift, long x, long y) override;

private:
  // False when the engine found no node for the click (the user has been told).
  bool run(long x, long y);

  // 1 while this tool's centre flag is on the map.
  std::int32_t centre_marked_ = 0;
  std::vector<float> zone_breaks_;
};

} // namespace corvane
