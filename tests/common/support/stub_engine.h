#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/object.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane::testing {

// The calls a stub engine received, in order, as "Name(arguments)": numbers as the add-in writes
// them (at most 7 significant digits), texts bare, objects and out arguments left out. A network
// object and a calculation object may share one log, so that a test sees the order across both.
using CallLog = std::vector<std::string>;

// How many calls of the method `name` the log holds.
std::size_t call_count(const CallLog& log, std::string_view name);
inline bool called(const CallLog& log, std::string_view name) {
  return call_count(log, name) > 0;
}

// An engine network object that computes nothing: actions succeed, queries find nothing (no
// node index, no node, no angle, no roundabout) and its Identifier is 1. IsLoaded answers
// `loaded`, which Unload clears. With a log, every call is written to it. A test scripts a
// method by deriving and overriding it.
class StubNetBase : public com::ComObject<tamix::NetBase> {
public:
  explicit StubNetBase(CallLog* log = nullptr) : log_(log) {}

  bool loaded = false;
  // What LinksOfReplacedNetwork answers.
  OldLinks old_links = OldLinks::unknown;

  std::int32_t GetIdentifier() override;
  void SetNetworkFolder(const std::string& path) override;
  std::int32_t SetMapUnits(std::int32_t code) override;
  std::int32_t SetDistanceUnits(std::int32_t units) override;
  std::int32_t GetDistanceUnits() override;
  std::int32_t CreateNetwork(const std::string& layer, std::int32_t links_to_carry,
                             const std::string& unused_text) override;
  OldLinks LinksOfReplacedNetwork() override { return old_links; }
  std::int32_t CreateAttributeFile(const std::string& file) override;
  std::int32_t LoadNetwork() override;
  bool IsLoaded() override;
  void Unload() override;
  bool HasNodeIndex() override;
  std::int32_t CreateNodeIndex() override;
  std::int32_t SnapToNetwork(double x, double y, std::int32_t& node, std::int32_t& second) override;
  std::int32_t FindNearestNode(double x, double y, std::int32_t& node,
                               std::int32_t& second) override;
  double GetNodeX(std::int32_t node) override;
  double GetNodeY(std::int32_t node) override;
  std::int32_t SetClassSpeed(std::int16_t value, double speed) override;
  std::int32_t ResetLinkCosts(std::int32_t which) override;
  std::int32_t SetTempSpeed(std::int32_t link, float speed) override;
  std::int32_t SetLinkFlags(std::int32_t link, std::int32_t flags) override;
  double TurnAngle(double x1, double y1, std::int32_t node, double x2, double y2) override;
  bool IsRoundaboutLink(std::int32_t link) override;
  bool IsRoundaboutNode(std::int32_t node) override;
  void SetOutputOption(std::int32_t option) override;
  void SetZoneRadius(double radius) override;
  double GetZoneRadius() override;
  std::string AboutCV(std::int16_t kind, std::int32_t& result) override;
  std::uint32_t Advise(tamix::NetBaseEvents* sink) override;
  bool Unadvise(std::uint32_t cookie) override;
  std::string LastErrorText() override { return last_error_text; }
  std::int32_t ExportNodes() override;
  std::int32_t ExportCloseNodes(float distance) override;
  // What LastErrorText gives.
  std::string last_error_text;

private:
  CallLog* log_;
};

// An engine calculation object that computes nothing: actions succeed, costs and paths are 0,
// except that every SolveRoute answers `solve_result`. With a log, every call is written to it.
class StubNetCalc : public com::ComObject<tamix::NetCalc> {
public:
  explicit StubNetCalc(CallLog* log = nullptr) : log_(log) {}

  float solve_result = 0;

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
  std::int32_t WriteZonePolygons(const std::string& path, std::int32_t count, std::int32_t doughnut,
                                 double min_x, double min_y, double max_x, double max_y) override;
  std::int32_t WriteNearestCentrePolygons(const std::string& path, std::int32_t unused,
                                          std::int32_t unused_too, std::int32_t count, double min_x,
                                          double min_y, double max_x, double max_y) override;

private:
  CallLog* log_;
};

} // namespace corvane::testing
