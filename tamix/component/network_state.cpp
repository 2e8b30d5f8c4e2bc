#include "network_state.h"

#include "error.h"

#include <map>
#include <mutex>
#include <string>

namespace tamix {
namespace {

struct Registry {
  std::mutex mutex;
  std::int32_t last_identifier = 0;
  std::map<std::int32_t, std::weak_ptr<NetworkState>> networks;
};

// Never destroyed: a client that keeps a NetBase in a static of its own releases it at exit,
// possibly after this module's statics are gone.
Registry& registry() {
  static Registry* const instance = new Registry;
  return *instance;
}

} // namespace

const Network& NetworkState::loaded() const {
  if (!network) throw Error(code::not_loaded, "no network is loaded");
  return *network;
}

files::Durability NetworkState::output_durability() const {
  return output_option == ScratchShapefileOutput ? files::Durability::scratch
                                             : files::Durability::synced;
}

double NetworkState::zone_radius_in_use() const {
  loaded(); // raises not_loaded, whichever radius was sent
  return zone_radius > 0 ? zone_radius : network_zone_radius;
}

NodeId checked_node(const Network& network, std::int32_t node) {
  if (node < 1 || !network.has_node(static_cast<NodeId>(node)))
    throw Error(code::out_of_bounds, "no node " + std::to_string(node));
  return static_cast<NodeId>(node);
}

std::int32_t register_network(std::shared_ptr<NetworkState> state) {
  Registry& r = registry();
  const std::lock_guard lock(r.mutex);
  const std::int32_t identifier = ++r.last_identifier;
  r.networks[identifier] = state;
  return identifier;
}

void unregister_network(std::int32_t identifier) {
  Registry& r = registry();
  const std::lock_guard lock(r.mutex);
  r.networks.erase(identifier);
}

std::shared_ptr<NetworkState> find_network(std::int32_t identifier) {
  Registry& r = registry();
  const std::lock_guard lock(r.mutex);
  const auto found = r.networks.find(identifier);
  return found == r.networks.end() ? nullptr : found->second.lock();
}

} // namespace tamix
