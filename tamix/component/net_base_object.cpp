#include "net_base_object.h"

#include "attributes.h"
#include "boundary.h"
#include "engine_path.h"
#include "map_units.h"
#include "network_files.h"
#include "shapefile_reader.h"
#include "zone_polygons.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tamix {
namespace {

// SetLinkFlags' value for a closed link (two flag bits: closed each way).
constexpr std::int32_t closed_link_flags = 1536;
constexpr std::int32_t all_links = -1;

} // namespace

NetBaseObject::NetBaseObject()
    : state_(std::make_shared<NetworkState>()), identifier_(register_network(state_)) {}

NetBaseObject::~NetBaseObject() {
  unregister_network(identifier_);
}

Progress NetBaseObject::progress_of(EventOf event) {
  return [this, event](int percent) {
    const auto value = static_cast<std::uint8_t>(std::clamp(percent, 0, 100));
    events_.fire([&](NetBaseEvents& sink) { (sink.*event)(value); });
  };
}

const Point& NetBaseObject::node_point(std::int32_t node) const {
  const Network& network = state_->loaded();
  return network.node_points[checked_node(network, node)];
}

std::int32_t NetBaseObject::GetIdentifier() {
  return identifier_;
}

void NetBaseObject::SetNetworkFolder(const std::string& path) {
  engine_call<std::int32_t>([&] {
    state_->folder = engine_path(path);
    return code::ok;
  });
}

std::int32_t NetBaseObject::SetMapUnits(std::int32_t code) {
  return engine_call<std::int32_t>([&] {
    if (!is_known_map_unit(code))
      throw Error(code::out_of_bounds, "map unit " + std::to_string(code) + " is unknown");
    state_->map_units = code;
    return code::ok;
  });
}

std::int32_t NetBaseObject::SetDistanceUnits(std::int32_t units) {
  return engine_call<std::int32_t>([&] {
    if (units != 0 && units != 1)
      throw Error(code::out_of_bounds, "distance unit " + std::to_string(units) + " is unknown");
    state_->settings.set_distance_unit(units == 1 ? DistanceUnit::miles : DistanceUnit::kilometres);
    return code::ok;
  });
}

std::int32_t NetBaseObject::GetDistanceUnits() {
  return state_->settings.distance_unit() == DistanceUnit::miles ? 1 : 0;
}

std::int32_t NetBaseObject::CreateNetwork(const std::string& layer, std::int32_t links_to_carry,
                                          const std::string&) {
  return engine_call<std::int32_t>([&] {
    old_links_ = OldLinks::unknown;
    const auto same =
        create_network(state_->folder, layer, state_->map_units,
                       progress_of(&NetBaseEvents::OnNWCreateProgress), links_to_carry != 0);
    old_links_ = !same ? OldLinks::unknown : *same ? OldLinks::same : OldLinks::changed;
    return code::ok;
  });
}

std::int32_t NetBaseObject::CreateAttributeFile(const std::string& file) {
  return engine_call<std::int32_t>([&] {
    auto link_class = create_attribute_file(state_->folder, file,
                                            progress_of(&NetBaseEvents::OnAttributeCreateProgress));
    take_link_classes(std::move(link_class));
    return code::ok;
  });
}

void NetBaseObject::take_link_classes(std::vector<std::uint8_t> link_class) {
  const auto& loaded = state_->network;
  if (!loaded || loaded->link_class.size() != link_class.size())
    return;
  // A copy with the new classes replaces the loaded network: searches that still hold the old
  // one go on with it, and its new identity keeps costs of the old classes from being reused.
  auto updated = std::make_shared<Network>(*loaded);
  updated->link_class = std::move(link_class);
  updated->identity = next_network_identity();
  const bool had_node_index = state_->node_index != nullptr;
  state_->node_index.reset();
  state_->roundabouts.reset();
  state_->network = std::move(updated);
  if (had_node_index)
    state_->node_index = std::make_unique<NodeIndex>(*state_->network);
}

std::int32_t NetBaseObject::LoadNetwork() {
  return engine_call<std::int32_t>([&] {
    Unload();
    auto network = std::make_shared<const Network>(
        load_network(state_->folder, progress_of(&NetBaseEvents::OnNWLoadProgress)));
    state_->settings.reset(); // temporary speeds and closures name links of the old network
    state_->network_zone_radius = default_zone_radius(*network);
    state_->network = std::move(network);
    return code::ok;
  });
}

bool NetBaseObject::IsLoaded() {
  return state_->network != nullptr;
}

void NetBaseObject::Unload() {
  state_->node_index.reset();
  state_->roundabouts.reset();
  state_->network.reset();
}

bool NetBaseObject::HasNodeIndex() {
  return state_->node_index != nullptr;
}

std::int32_t NetBaseObject::CreateNodeIndex() {
  return engine_call<std::int32_t>([&] {
    if (!state_->node_index)
      state_->node_index = std::make_unique<NodeIndex>(state_->loaded());
    return code::ok;
  });
}

std::int32_t NetBaseObject::SnapToNetwork(double x, double y, std::int32_t& node,
                                          std::int32_t& second) {
  return engine_call<std::int32_t>([&] {
    state_->loaded();
    if (!state_->node_index)
      throw Error(code::no_node_index, "no node index");
    return nearest_node(x, y, node, second);
  });
}

std::int32_t NetBaseObject::FindNearestNode(double x, double y, std::int32_t& node,
                                            std::int32_t& second) {
  return engine_call<std::int32_t>([&] {
    const std::int32_t made = CreateNodeIndex();
    return made != code::ok ? made : nearest_node(x, y, node, second);
  });
}

std::int32_t NetBaseObject::nearest_node(double x, double y, std::int32_t& node,
                                         std::int32_t& second) {
  const NodeId nearest = state_->node_index->nearest(x, y);
  if (nearest == no_node)
    throw Error(code::out_of_bounds, "no node is nearest to a point that is not a number");
  node = static_cast<std::int32_t>(nearest);
  second = 0;
  return code::ok;
}

double NetBaseObject::GetNodeX(std::int32_t node) {
  return engine_call_or(0.0, [&] { return node_point(node).x; });
}

double NetBaseObject::GetNodeY(std::int32_t node) {
  return engine_call_or(0.0, [&] { return node_point(node).y; });
}

std::int32_t NetBaseObject::SetClassSpeed(std::int16_t value, double speed) {
  return engine_call<std::int32_t>([&] {
    // The same rule that turns the attribute file's values into classes.
    state_->settings.set_class_speed(std::abs(value) % road_class_count, speed);
    return code::ok;
  });
}

std::int32_t NetBaseObject::ResetLinkCosts(std::int32_t which) {
  return engine_call<std::int32_t>([&] {
    if (which != all_links)
      throw Error(code::out_of_bounds, "ResetLinkCosts takes -1 (all links) only");
    state_->settings.reset();
    return code::ok;
  });
}

std::int32_t NetBaseObject::SetTempSpeed(std::int32_t link, float speed) {
  return engine_call<std::int32_t>([&] {
    // A negative number becomes a link number far beyond any network: refused as unknown.
    state_->settings.set_temp_speed(state_->loaded(), static_cast<LinkId>(link), speed);
    return code::ok;
  });
}

std::int32_t NetBaseObject::SetLinkFlags(std::int32_t link, std::int32_t flags) {
  return engine_call<std::int32_t>([&] {
    const Network& network = state_->loaded();
    if (flags != closed_link_flags)
      throw Error(code::out_of_bounds, "link flags " + std::to_string(flags) + " are unknown");
    state_->settings.close_link(network, static_cast<LinkId>(link));
    return code::ok;
  });
}

double NetBaseObject::TurnAngle(double x1, double y1, std::int32_t node, double x2, double y2) {
  return engine_call<double>([&] { return turn_angle({x1, y1}, node_point(node), {x2, y2}); });
}

const Roundabouts& NetBaseObject::roundabouts() {
  // Found on first use: most sessions never ask for directions.
  if (!state_->roundabouts)
    state_->roundabouts = std::make_unique<Roundabouts>(state_->loaded());
  return *state_->roundabouts;
}

bool NetBaseObject::IsRoundaboutLink(std::int32_t link) {
  return engine_call_or(false, [&] { return link > 0 && roundabouts().is_link(LinkId(link)); });
}

bool NetBaseObject::IsRoundaboutNode(std::int32_t node) {
  return engine_call_or(false, [&] { return node > 0 && roundabouts().is_node(NodeId(node)); });
}

void NetBaseObject::SetOutputOption(std::int32_t option) {
  if (option == ShapefileOutput || option == ScratchShapefileOutput)
    state_->output_option = option;
}

void NetBaseObject::SetZoneRadius(double radius) {
  state_->zone_radius = std::isfinite(radius) && radius > 0 ? radius : 0;
}

double NetBaseObject::GetZoneRadius() {
  return engine_call<double>([&] { return state_->zone_radius_in_use(); });
}

std::string NetBaseObject::AboutCV(std::int16_t, std::int32_t& result) {
  result = code::ok;
  return "tamix routing engine " TAMIX_VERSION;
}

std::uint32_t NetBaseObject::Advise(NetBaseEvents* sink) {
  return engine_call_or(0u, [&] { return events_.connect(com::ComPtr<NetBaseEvents>(sink)); });
}

bool NetBaseObject::Unadvise(std::uint32_t cookie) {
  return engine_call_or(false, [&] { return events_.disconnect(cookie); });
}

std::string NetBaseObject::LastErrorText() {
  return last_error_text;
}

} // namespace tamix
