#pragma once

#include "command/command_base.h"
#include "network/network_loading.h"

namespace corvane {

// Creates or loads the routing network of a polyline layer of the map. The command owns the
// engine network object it loads into (tantest).
class CreateNetwork final : public CommandBase<> {
public:
  CreateNetwork();

protected:
  // Enabled unless a network was opened and not closed while tantest still reports it loaded.
  bool enabled() override;
  void click() override;
  // The opening takes its turn in the folder it opens as soon as it knows it.
  FolderTurnRule click_turn() const override { return FolderTurnRule::none; }

private:
  NetworkEngine engine_;
};

} // namespace corvane
