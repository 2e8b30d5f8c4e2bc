#pragma once

#include <string>
#include <vector>

#include "forms/testing/scripted_user.h"
#include "host/geometry.h"
#include "routing/route_click.h"
#include "support/host_fixture.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane::testing {

// One drawn road: its shape (metres) and its name.
struct Road {
  host::Path shape;
  std::string name;
};

// A route tool test on a small drawn network: the shapefile "roads" (fields NAME, 80 wide, and
// "CV_RESULT") in the test's folder, its layer in the map, the real engine's network built and
// loaded from it, and the shared state as the network opening leaves it: shortest route,
// kilometres, every link at 30 km/h (two minutes a kilometre), directions off.
class RouteNetworkTest : public HostTest {
protected:
  void SetUp() override;
  void TearDown() override;

  void build_network(const std::vector<Road>& roads);
  // The same over a shapefile "roads" already in the test's folder, which must have the field
  // "CV_RESULT".
  void load_network(const com::ComPtr<host::HostFeatureClass>& roads);

  // A left click at map point (x, y), with the modifier mask (1 Shift, 2 Ctrl).
  void click(double x, double y, long shift = 0);

  // A polyline shapefile `name` of the test's folder with the fields of "roads" and one link:
  // what the system writes where it copies network links.
  com::ComPtr<host::HostFeatureClass> link_copy(const std::string& name);
  // The feature class of a shapefile of the test's folder.
  com::ComPtr<host::HostFeatureClass> open(const std::string& name);
  // The text of a field of every feature of `features`, in feature order.
  std::vector<std::string> texts(host::HostFeatureClass& features, const std::string& field);
  std::vector<double> numbers(host::HostFeatureClass& features, const std::string& field);
  // Adds a text field `name` (10 characters) to `features`; its rows hold no value.
  void add_text_field(host::HostFeatureClass& features, const std::string& name);
  // The field names of `features` after "FID" and "Shape".
  std::vector<std::string> attribute_names(host::HostFeatureClass& features);
  std::string settings_text() const;

  // The texts of the text graphics on the map, in drawing order.
  std::vector<std::string> texts_on_map();
  // Adds a text graphic at (x, y).
  void add_text(const std::string& text, double x, double y);

  // The messages shown, as "TITLE: TEXT".
  std::vector<std::string> messages() const;

  forms::testing::ScopedUser user_;
  com::ComPtr<tamix::NetBase> base_;
  com::ComPtr<tamix::NetCalc> calc_;
  RouteClicks clicks_;
};

} // namespace corvane::testing
