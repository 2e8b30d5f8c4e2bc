#pragma once

#include "centres.h"
#include "network_checks.h"
#include "network_state.h"
#include "output_table.h"
#include "routes.h"
#include "search.h"

#include "com/object.h"
#include "tamix/net_calc.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tamix {

class ResultField;

// "tamix.tacalcx": calculations over the network of the network object it is bound to. The
// methods are spread over three sources: routes and paths, tours, and the files it writes.
class NetCalcObject final : public com::ComObject<NetCalc> {
public:
  NetCalcObject();
  ~NetCalcObject() override;

  std::int32_t SetNet(std::int32_t identifier) override;

  std::int32_t SetResultTable(const std::string& table) override;
  std::int32_t SetResultField(const std::string& field) override;
  std::int32_t ClearResultField(std::int32_t which, std::int32_t unused) override;
  std::int32_t MarkPathInResult(std::int32_t which, std::int32_t unused) override;

  std::int32_t FindDeadEnds(std::int32_t kind) override;
  std::int32_t FindParallelLinks() override;
  std::int32_t FindSubnets() override;
  std::int32_t FindUnusedLinks() override;
  std::int32_t FindJoinableLinks(float limit, const std::string& join_file) override;

  void SetPrimaryDistanceWeight(double weight) override;
  void SetPrimaryTimeWeight(double weight) override;
  std::int32_t ApplyWeights() override;
  void SetSecondaryDistanceWeight(double weight) override;
  void SetSecondaryTimeWeight(double weight) override;

  float SolveRoute(std::int32_t from, std::int32_t to) override;
  std::int32_t GetLastReachedNode() override;
  std::int32_t SolveFromNode(std::int32_t node, float cutoff) override;
  std::int32_t GetPathLinkCount(std::int32_t node) override;
  std::int32_t GetPathLink(std::int32_t k) override;
  std::int32_t GetPathNode(std::int32_t k) override;
  float GetLinkLength(std::int32_t link) override;
  float GetLinkTime(std::int32_t link) override;
  float GetPrimaryCostAt(std::int32_t node) override;
  float GetSecondaryCostAt(std::int32_t node) override;

  std::int32_t SetStop(std::int32_t index, std::int32_t node) override;
  float SolveTsp(std::int32_t count, std::int16_t mode) override;
  std::int32_t GetTourNode(std::int32_t position) override;
  std::int32_t GetTourOrder(std::int32_t position) override;

  std::int32_t CreateOutputTable(const std::string& path, std::int32_t fields) override;
  std::int32_t AddOutputField(const std::string& name, std::int32_t type, std::int32_t width,
                              std::int32_t decimals) override;
  std::int32_t WriteOutputRow(std::int32_t links, const std::string& row) override;
  std::int32_t AddOutputLink(std::int32_t link, double from, double to) override;
  std::int32_t CloseOutputTable() override;

  std::int32_t WriteCostsToResult(std::int32_t which, std::int32_t unused,
                                  std::int32_t unused_too) override;
  std::int32_t SolveMultiCentre(std::int16_t count, float cutoff) override;
  std::int32_t WriteResults() override;
  std::int32_t ClearBreaks() override;
  std::int32_t AddBreak(double limit) override;
  std::int32_t WriteZonePolygons(const std::string& path, std::int32_t count,
                                 std::int32_t doughnut, double min_x, double min_y, double max_x,
                                 double max_y) override;
  std::int32_t WriteNearestCentrePolygons(const std::string& path, std::int32_t unused,
                                          std::int32_t unused_too, std::int32_t count,
                                          double min_x, double min_y, double max_x,
                                          double max_y) override;

private:
  static constexpr std::int32_t most_stops = 3002;

  // The nodes of stops 1..count. Raises out_of_bounds for a count beyond most_stops or a stop
  // without a node of the network.
  std::vector<NodeId> stop_nodes(std::int32_t count);
  // One search from stops 1..count within `cutoff` (<= 0: none), which becomes the last solve,
  // with the owners of its nodes. Returns the stops' nodes.
  std::vector<NodeId> solve_centres(std::int32_t count, float cutoff);
  // The bound network, loaded (else not_loaded). A network loaded anew since the last call
  // gets a fresh search, and the results of the old one are forgotten.
  const Network& network();
  // The arc costs for the current settings and weights (redone only where they changed).
  const ArcCosts& costs();
  // Costs at the far end of a link after the last solve.
  FarEnd far_end(std::int32_t link);
  Search& search();
  void forget_route();
  void forget_results(); // route, tour and per-link result
  // Raises route_not_ready before a solve, and again once its results are forgotten.
  const Search& solved() const;
  const Path& primed_path() const;
  NodeId node_of(std::int32_t node);
  // Raises no_results before a tour, route_index_out_of_bounds outside 1..count.
  std::size_t tour_index(std::int32_t position) const;
  ResultField result_field() const;
  // Runs a network check: its values become the per-link result, its count the answer.
  template <class Find> std::int32_t run_check(Find&& find);
  OutputTable& output_table();

  std::shared_ptr<NetworkState> state_;
  std::shared_ptr<const Network> network_;
  std::unique_ptr<Search> search_;

  Weights weights_;
  double pending_primary_distance_ = 1;
  double pending_primary_time_ = 0;
  ArcCosts costs_;

  bool solved_ = false;
  Cost solve_cutoff_ = inf_cost; // of the last solve
  NodeId last_reached_ = no_node;
  std::optional<Path> path_;

  std::vector<NodeId> stops_; // slot 0 unused; tour stops and centres alike
  std::vector<double> breaks_;
  CentreOwners owners_;
  std::vector<LinkReach> reach_; // scratch of the writers
  bool reach_of_last_solve_ = false; // reach_ holds the links' costs of the last solve
  // The per-link result (row r = link r + 1) of the last operation that produces one; written
  // by WriteResults.
  std::vector<double> link_results_;
  bool has_link_results_ = false;
  std::vector<NodeId> tour_nodes_; // empty: no tour solved
  std::vector<std::int32_t> tour_order_;

  std::filesystem::path result_table_;
  std::string result_field_;
  std::unique_ptr<OutputTable> output_;
};

} // namespace tamix
