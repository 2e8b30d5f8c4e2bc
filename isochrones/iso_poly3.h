#pragma once

#include <cstdint>

#include "addin/command_base.h"

namespace corvane {

// Map tool: the zones of the nearest of several clicked centres.
class IsoPoly3 final : public ToolBase {
public:
  IsoPoly3();

protected:
  // A set of centres left open is dropped once no network is loaded.
  bool enabled() override;

private:
  // 1 while a set of centres is being clicked; this tool keeps its own, not the shared one.
  std::int32_t CentreSetOpen = 0;
};

} // namespace corvane
