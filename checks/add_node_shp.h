#pragma once

#include "command/command_base.h"
#include "host/table.h"

namespace corvane {

// Adds the network's nodes to the map as the point layer "node" of the network folder.
class AddNodeShp final : public CommandBase<> {
public:
  AddNodeShp();

private:
  void click() override;
  // A one-field attribute index on `field` of `features`; nothing when there is no such field.
  static void AddFieldIndex(host::HostFeatureClass* features, const std::string& field);
};

} // namespace corvane
