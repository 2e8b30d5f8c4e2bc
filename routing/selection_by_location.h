#pragma once

#include "command/command_base.h"
#include "routing/gazetteer_route.h"

namespace corvane {

// The route or tour through stops chosen by attribute value.
class SelectionByLocation final : public CommandBase<> {
public:
  SelectionByLocation();

protected:
  void click() override;

private:
  GazetteerRoute route_;
};

} // namespace corvane
