#pragma once

#include <string>
#include <vector>

#include "host/application.h"
#include "host/command.h"
#include "host/renderer.h"
#include "route_network.h"

namespace corvane::testing {

// A row of four 1 km links from (0, 0) east, and a lone link far off:
//   (0,0) -1- (1000,0) -2- (2000,0) -3- (3000,0) -4- (4000,0)      (9000,0) -5- (10000,0)
std::vector<Road> row_of_four();

// A test of the isochrone commands and tools on a small drawn network (RouteNetworkTest: every
// link at 30 km/h, shortest route in kilometres), with the host application the commands are
// created with, and helpers to set the zones and click.
class IsochroneTest : public RouteNetworkTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Gives the command or tool the host application (OnCreate).
  void create(host::ICommand& command);
  // gZoneValues, gZoneCount and gZoneMax (the last limit) as the options dialog leaves them.
  void zones(const std::vector<float>& limits);
  // A press of `button` at map point (x, y) with the modifier mask (1 Shift, 2 Ctrl), handed to
  // the tool through the host's view; the tool's answer.
  com::HRESULT mouse_down(host::ITool& tool, double x, double y, long button, long shift);
  // The same press, which the tool carries out.
  void click_tool(host::ITool& tool, double x, double y, long button = 1, long shift = 0);
  // The number of marker (picture) graphics on the map.
  int markers_on_map();
  // The network layer's renderer, seen as R (null when it has another kind).
  template <class R> com::ComPtr<R> network_renderer();

  com::ComPtr<host::Application> app_;
};

} // namespace corvane::testing
