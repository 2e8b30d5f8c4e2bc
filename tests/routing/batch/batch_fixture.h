#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/testing/scripted_user.h"
#include "host/user_sink.h"
#include "map/document.h"
#include "route_network.h"
#include "routing/batch_route.h"

namespace corvane::testing {

// A point of a drawn point layer: its label (field NAME) and position; no position = an empty
// shape.
struct LabelledPoint {
  std::string name;
  std::optional<host::XY> at;
};

// What the user chooses in the batch dialog.
struct BatchChoice {
  std::string from_layer;
  std::string from_field = "NAME";
  std::string to_layer;
  std::string to_field = "NAME";
  bool route_objects = false;
  bool both_ways = false;
};

// One record of the "BatchRoute" table.
struct BatchRow {
  std::string from;
  std::string to;
  double distance = 0;
  double time = 0;
  std::string comments;
};

// The table command on a small drawn network (kilometres, 30 km/h: two minutes a kilometre):
//
//   A(0,0) --ab-- B(1000,0) --cb-- C(2500,0)      E(5000,5000) --island-- F(6000,5000)
//                     |
//                    bd
//                     |
//                 D(1000,500)
//
// "cb" is drawn from C to B, so a route from A to C travels it against its shape. The island
// is a part of the network that no other part reaches. The host's user presses Esc at a chosen
// poll of the cancel tracker and sees the table windows; dialogs are worked by scripts.
class BatchRouteTest : public RouteNetworkTest, public host::HostUserSink {
public:
  static constexpr host::XY A{0, 0}, B{1000, 0}, C{2500, 0}, D{1000, 500}, E{5000, 5000};

protected:
  void SetUp() override;
  void TearDown() override;

  // A point shapefile `name` in the test's folder, fields ID and NAME, as a layer on the map.
  com::ComPtr<host::HostFeatureClass> point_layer(const std::string& name,
                                                  const std::vector<LabelledPoint>& points);
  // The network layer's ".prj", which the routes take over.
  void give_network_a_projection();

  // Clicks the command with the dialog answered by `choice`; the problem list, when shown, is
  // read into problems_ and closed.
  void run(const BatchChoice& choice);
  com::ComPtr<host::HostTable> batch_table();
  std::vector<BatchRow> table_rows();
  // The fields of the "BatchRoute" table after its object id, as "NAME type length".
  std::vector<std::string> table_fields();
  bool stamped() const;
  bool file_exists(const std::string& name) const;

  // host::HostUserSink
  void status(const std::string&) override {}
  void table_window(const std::string& name) override { table_windows_.push_back(name); }
  bool take_escape() override { return ++polls_ == escape_at_poll_; }

  forms::testing::ScopedUser person_;
  com::ComPtr<host::Application> application_;
  com::ComPtr<BatchRoute> command_;
  std::vector<std::string> problems_;
  std::vector<std::string> table_windows_;
  int escape_at_poll_ = 0; // 0: never
  int polls_ = 0;
};

} // namespace corvane::testing
