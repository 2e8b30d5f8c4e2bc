#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "com/numbers.h"
#include "com/object.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

// Engine objects that write the set-up calls they receive into one shared log, as
// "Name(arguments)", and answer every other call with nothing, except that every route solve
// answers `solve_result`.
using CallLog = std::vector<std::string>;

inline std::string number(double value) {
  return com::number_text(value, 7);
}

class RecordingNetBase final : public com::ComObject<tamix::NetBase> {
public:
  explicit RecordingNetBase(CallLog& log) : log_(log) {}

  std::int32_t SetClassSpeed(std::int16_t value, double speed) override {
    return record("SetClassSpeed(" + std::to_string(value) + ", " + number(speed) + ")");
  }
  std::int32_t ResetLinkCosts(std::int32_t which) override {
    return record("ResetLinkCosts(" + std::to_string(which) + ")");
  }
  std::int32_t SetTempSpeed(std::int32_t link, float speed) override {
    return record("SetTempSpeed(" + std::to_string(link) + ", " + number(speed) + ")");
  }
  std::int32_t SetLinkFlags(std::int32_t link, std::int32_t flags) override {
    return record("SetLinkFlags(" + std::to_string(link) + ", " + std::to_string(flags) + ")");
  }

  std::int32_t GetIdentifier() override { return 1; }
  void SetNetworkFolder(const std::string&) override {}
  std::int32_t SetMapUnits(std::int32_t) override { return 0; }
  std::int32_t SetDistanceUnits(std::int32_t) override { return 0; }
  std::int32_t GetDistanceUnits() override { return 0; }
  std::int32_t CreateNetwork(const std::string&, std::int32_t, const std::string&) override {
    return 0;
  }
  std::int32_t CreateAttributeFile(const std::string&) override { return 0; }
  std::int32_t LoadNetwork() override { return 0; }
  bool IsLoaded() override { return true; }
  void Unload() override {}
  bool HasNodeIndex() override { return true; }
  std::int32_t CreateNodeIndex() override { return 0; }
  std::int32_t SnapToNetwork(double, double, std::int32_t&, std::int32_t&) override { return 0; }
  std::int32_t FindNearestNode(double, double, std::int32_t&, std::int32_t&) override { return 0; }
  double GetNodeX(std::int32_t) override { return 0; }
  double GetNodeY(std::int32_t) override { return 0; }
  double TurnAngle(double, double, std::int32_t, double, double) override { return 0; }
  bool IsRoundaboutLink(std::int32_t) override { return false; }
  bool IsRoundaboutNode(std::int32_t) override { return false; }
  void SetOutputOption(std::int32_t) override {}
  std::string AboutCV(std::int16_t, std::int32_t& result) override {
    result = 0;
    return {};
  }
  std::uint32_t Advise(tamix::NetBaseEvents*) override { return 0; }
  bool Unadvise(std::uint32_t) override { return false; }

private:
  std::int32_t record(std::string call) {
    log_.push_back(std::move(call));
    return 0;
  }
  CallLog& log_;
};

class RecordingNetCalc final : public com::ComObject<tamix::NetCalc> {
public:
  explicit RecordingNetCalc(CallLog& log) : log_(log) {}

  float solve_result = 0;

  std::int32_t SetResultTable(const std::string& table) override {
    return record("SetResultTable(" + table + ")");
  }
  std::int32_t SetResultField(const std::string& field) override {
    return record("SetResultField(" + field + ")");
  }
  std::int32_t ClearResultField(std::int32_t which, std::int32_t unused) override {
    return record("ClearResultField(" + std::to_string(which) + ", " + std::to_string(unused) +
                  ")");
  }
  void SetPrimaryDistanceWeight(double weight) override {
    record("SetPrimaryDistanceWeight(" + number(weight) + ")");
  }
  void SetPrimaryTimeWeight(double weight) override {
    record("SetPrimaryTimeWeight(" + number(weight) + ")");
  }
  std::int32_t ApplyWeights() override { return record("ApplyWeights()"); }
  void SetSecondaryDistanceWeight(double weight) override {
    record("SetSecondaryDistanceWeight(" + number(weight) + ")");
  }
  void SetSecondaryTimeWeight(double weight) override {
    record("SetSecondaryTimeWeight(" + number(weight) + ")");
  }

  std::int32_t SetNet(std::int32_t) override { return 0; }
  std::int32_t MarkPathInResult(std::int32_t, std::int32_t) override { return 0; }
  float SolveRoute(std::int32_t, std::int32_t) override { return solve_result; }
  std::int32_t GetLastReachedNode() override { return 0; }
  std::int32_t SolveFromNode(std::int32_t, float) override { return 0; }
  std::int32_t GetPathLinkCount(std::int32_t) override { return 0; }
  std::int32_t GetPathLink(std::int32_t) override { return 0; }
  std::int32_t GetPathNode(std::int32_t) override { return 0; }
  float GetLinkLength(std::int32_t) override { return 0; }
  float GetLinkTime(std::int32_t) override { return 0; }
  float GetPrimaryCostAt(std::int32_t) override { return 0; }
  float GetSecondaryCostAt(std::int32_t) override { return 0; }
  std::int32_t SetStop(std::int32_t, std::int32_t) override { return 0; }
  float SolveTsp(std::int32_t, std::int16_t) override { return 0; }
  std::int32_t GetTourNode(std::int32_t) override { return 0; }
  std::int32_t GetTourOrder(std::int32_t) override { return 0; }
  std::int32_t CreateOutputTable(const std::string&, std::int32_t) override { return 0; }
  std::int32_t AddOutputField(const std::string&, std::int32_t, std::int32_t,
                              std::int32_t) override {
    return 0;
  }
  std::int32_t WriteOutputRow(std::int32_t, const std::string&) override { return 0; }
  std::int32_t AddOutputLink(std::int32_t, double, double) override { return 0; }
  std::int32_t CloseOutputTable() override { return 0; }

private:
  std::int32_t record(std::string call) {
    log_.push_back(std::move(call));
    return 0;
  }
  CallLog& log_;
};
