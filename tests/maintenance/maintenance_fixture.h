#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/application.h"
#include "host/command.h"
#include "host/geometry.h"
#include "network_fixture.h"

namespace corvane::testing {

// Points of the drawn network, in metres east and north of (500000, 6400000) (UTM 32N):
//
//        D (1000, 1000)
//       /  \            link 1  A-B   class 1, 1 km
//      3    4           link 2  B-C   class 1, 1 km
//     /      \          link 3  A-D   class 2, 1.414 km
//    A --1--- B --2--- C   link 4  D-C   class 2, 1.414 km
//   (0,0)   (1000,0)  (2000,0)
using XY = host::XY;
inline constexpr XY A{0, 0}, B{1000, 0}, C{2000, 0}, D{1000, 1000};

// The maintenance tools on a network built by the real CreateNetwork command and engine from
// the drawn roads (field CLASS, a map in kilometres), made on a host application as the host
// makes them, with a scripted person at the screen.
class MaintenanceTest : public NetworkTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Builds and loads the network of `links` (link i in class classes[i]); the drawn network
  // above by default.
  void build(const std::vector<host::Path>& links, const std::vector<double>& classes);
  void build();
  // Closes the network and opens it again from its files.
  void reopen();

  // A command or tool of the add-in by its ProgID, created as the host creates it.
  com::ComPtr<host::ICommand> command(std::string_view prog_id);
  // Selects a tool as the host does (OnClick); false when it failed.
  bool select(const com::ComPtr<host::ICommand>& tool);
  // A left click with the tool at the map point (offsets from the network's origin).
  void click(const com::ComPtr<host::ICommand>& tool, XY at);
  // The map point at `ratio` along the straight link from `from` to `to`.
  static XY along(XY from, XY to, double ratio);
  // Works form `form` with `act` each time it is shown modally.
  void on_form(std::string_view form, std::function<void(forms::IForm&)> act);

  // The cost of the best route from one point's node to another's under the shared settings
  // (ApplyEngineSettings first), as the route tool computes it; -33 when not connected.
  float route_cost(XY from, XY to);
  // The positions of the marker graphics on the map, in order.
  std::vector<XY> markers();
  // The text of the network's settings file.
  std::string ini_text() const;

  com::ComPtr<host::Application> app_;
  com::ComPtr<host::ICommand> create_;
  com::ComPtr<host::ICommand> close_;
};

// An exact point match, saying which point differed.
::testing::AssertionResult same_points(const std::vector<XY>& actual,
                                       const std::vector<XY>& expected);

} // namespace corvane::testing
