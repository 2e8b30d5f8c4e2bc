#pragma once

// What a network object shares with the calculation objects bound to it.

#include "costs.h"
#include "geometry_tests.h"
#include "network.h"
#include "node_index.h"

#include "files/replace_file.h"
#include "tamix/net_base.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace tamix {

struct NetworkState {
  std::filesystem::path folder;
  int map_units = 7; // metres until the add-in says otherwise
  CostSettings settings;
  // Null while nothing is loaded. Calculation objects keep their own reference, so an unload or
  // reload never pulls a network from under a search that is still using it.
  std::shared_ptr<const Network> network;
  // default_zone_radius of `network`, measured once as it loads: it walks every shape point, too
  // much for each polygon call, and a road-class update keeps the shapes.
  double network_zone_radius = 1;
  std::unique_ptr<NodeIndex> node_index;
  std::unique_ptr<Roundabouts> roundabouts;
  // The kind of output the zone polygon writers make: the last value SetOutputOption sent.
  std::int32_t output_option = ShapefileOutput;
  // The widening radius of zone polygons that SetZoneRadius sent (0: the network's default).
  double zone_radius = 0;

  // How the zone polygon writers' files reach the disk (output_option).
  files::Durability output_durability() const;

  // The widening radius for the loaded network. Raises not_loaded.
  double zone_radius_in_use() const;

  // Raises not_loaded when nothing is loaded.
  const Network& loaded() const;
};

// The node the add-in calls `node`. Raises out_of_bounds for one the network does not have.
NodeId checked_node(const Network& network, std::int32_t node);

// Network objects by Identifier, so that a calculation object can bind to one (several
// independent network objects may live in one process).
std::int32_t register_network(std::shared_ptr<NetworkState> state);
void unregister_network(std::int32_t identifier);
// Null for an identifier no living network object has.
std::shared_ptr<NetworkState> find_network(std::int32_t identifier);

} // namespace tamix
