#pragma once

#include "command/command_base.h"
#include "host/map.h"

namespace corvane {

// Closes the loaded network. It is also the command that publishes the map document to the
// rest of the add-in (gDocument).
class CloseNetwork final : public CommandBase<> {
public:
  CloseNetwork();
  ~CloseNetwork() override;

protected:
  void created() override;
  void click() override;

private:
  com::ComPtr<host::HostMap> focus_map_;
};

} // namespace corvane
