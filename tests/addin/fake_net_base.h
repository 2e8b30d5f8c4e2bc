#pragma once

#include <cstdint>
#include <string>

#include "com/object.h"
#include "tamix/net_base.h"

// An engine network object whose loaded state the test sets; the Enabled rules only ask
// IsLoaded and, for the route tool, Unload.
class FakeNetBase final : public com::ComObject<tamix::NetBase> {
public:
  bool loaded = false;
  int unloads = 0;

  bool IsLoaded() override { return loaded; }
  void Unload() override {
    ++unloads;
    loaded = false;
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
  bool HasNodeIndex() override { return false; }
  std::int32_t CreateNodeIndex() override { return 0; }
  std::int32_t SnapToNetwork(double, double, std::int32_t&, std::int32_t&) override { return 0; }
  std::int32_t FindNearestNode(double, double, std::int32_t&, std::int32_t&) override { return 0; }
  double GetNodeX(std::int32_t) override { return 0; }
  double GetNodeY(std::int32_t) override { return 0; }
  std::int32_t SetClassSpeed(std::int16_t, double) override { return 0; }
  std::int32_t ResetLinkCosts(std::int32_t) override { return 0; }
  std::int32_t SetTempSpeed(std::int32_t, float) override { return 0; }
  std::int32_t SetLinkFlags(std::int32_t, std::int32_t) override { return 0; }
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
};
