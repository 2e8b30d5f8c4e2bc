#pragma once

#include <string>
#include <vector>

#include "forms/testing/scripted_user.h"
#include "host/command.h"
#include "map/document.h"
#include "route_network.h"

namespace corvane::testing {

// A network check test: the commands made on a host application over a drawn network in
// metres (with a ".prj" unless told otherwise), the real engine, and a scripted person.
//
// The check network, link numbers (feature ids + 1) in brackets:
//
//                  K (1500,2000)
//                  | [10]  \ [9]
//                  F ------ G (2000,1500)         Q (6000,6000)
//            [7] /    [8]                          | [13]
//  D (0,1000) -- C (1000,1000)       P (5000,5000) -- Q (6000,5000)   [12]
//  | [4] [3]   / |
//  |    [5]  /   | [2]
//  A (0,0) ---- B (1000,0) -- E (2000,0)          S (8000,0) -- T (9000,0)   [14]
//       [1]          [6]
//
// [11] is a second link from A to B, bent through (500, -300) and so longer than [1]; [15] is a
// loop at D through (-300, 1300) and (-300, 1000).
//   dead ends: [6], [12], [13], [14] cul-de-sacs; [8], [9], [10], [15] loops; [7] a bridge;
//   parallel links: [1] and [11]; subnets: P-Q-R (1) and S-T (2); unused: [11] and loop [15].
class CheckTest : public RouteNetworkTest {
protected:
  void SetUp() override;
  void TearDown() override;

  void build_check_network(bool with_projection = true);
  // A square of four links without dead ends, parallel links, subnets or unused links.
  void build_square();

  // Runs a command of the add-in as the host does; false when it failed.
  bool run(const com::ComPtr<host::ICommand>& command);
  // "CV_RESULT" of every network link, in link order.
  std::vector<double> results();
  // The feature ids selected on the network layer.
  std::vector<std::int32_t> selected();
  // Messages as "TITLE: TEXT".
  std::vector<std::string> shown() const;
  bool stamped() const;

  com::ComPtr<host::Application> app_;
  forms::testing::ScopedUser person_;
};

} // namespace corvane::testing
