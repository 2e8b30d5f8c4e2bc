#pragma once

#include "network_state.h"
#include "progress.h"

#include "com/events.h"
#include "com/object.h"
#include "tamix/net_base.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tamix {

// "tamix.tamixbasex": one road network, its files and its per-network settings.
class NetBaseObject final : public com::ComObject<NetBase> {
public:
  NetBaseObject();
  ~NetBaseObject() override;

  std::int32_t GetIdentifier() override;
  void SetNetworkFolder(const std::string& path) override;
  std::int32_t SetMapUnits(std::int32_t code) override;
  std::int32_t SetDistanceUnits(std::int32_t units) override;
  std::int32_t GetDistanceUnits() override;
  std::int32_t CreateNetwork(const std::string& layer, std::int32_t links_to_carry,
                             const std::string& unused_text) override;
  OldLinks LinksOfReplacedNetwork() override { return old_links_; }
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
  std::uint32_t Advise(NetBaseEvents* sink) override;
  bool Unadvise(std::uint32_t cookie) override;
  std::string LastErrorText() override;
  std::int32_t ExportNodes() override;
  std::int32_t ExportCloseNodes(float distance) override;

private:
  using EventOf = void (NetBaseEvents::*)(std::uint8_t);
  // A progress sink that raises `event` on every connected receiver.
  Progress progress_of(EventOf event);
  const Point& node_point(std::int32_t node) const;
  const Roundabouts& roundabouts();
  std::int32_t nearest_node(double x, double y, std::int32_t& node, std::int32_t& second);
  // A loaded network with as many links takes over the classes of a new attribute file.
  void take_link_classes(std::vector<std::uint8_t> link_class);

  std::shared_ptr<NetworkState> state_;
  std::int32_t identifier_;
  OldLinks old_links_ = OldLinks::unknown;
  com::EventSource<NetBaseEvents> events_;
};

} // namespace tamix
