#pragma once

#include <string>
#include <vector>

#include "forms/testing/scripted_user.h"
#include "host/command.h"
#include "map/document.h"
#include "route_network.h"

namespace corvane::testing {

// A person's gesture on a control of a shown form, which must succeed.
void act(forms::Form& form, const std::string& control, forms::Gesture gesture,
         const std::string& value = "");

// One place of the gazetteer layer: its point, NAME and ID.
struct Place {
  double x = 0;
  double y = 0;
  std::string name;
  int id = 0;
};

// A gazetteer test on a drawn network with a point layer "places" (fields ID, a whole number,
// and NAME, text) above it in the map, the commands made on a host application, and a scripted
// person at the screen (scripts for FrmGezetted, FrmGezz1 and Routeoptpro).
//
// The network: Main St from (0, 0) east to (400, 0) in links of 100, North Rd from (200, 0) to
// (200, 200), and the Island link from (1000, 0) to (1100, 0) that no road joins.
class GazetteerTest : public RouteNetworkTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the network above and the places layer.
  void build(const std::vector<Place>& places = default_places());
  static std::vector<Place> default_places();

  // Runs a command of the add-in as the host does; false when it failed.
  bool run_command(const com::ComPtr<host::ICommand>& command);
  bool run_gazetteer();
  bool run_route_options();

  // Messages as "TITLE: TEXT", and those of the scripted person.
  std::vector<std::string> shown() const;

  com::ComPtr<host::Application> app_;
  forms::testing::ScopedUser person_;
};

} // namespace corvane::testing
