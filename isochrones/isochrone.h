#pragma once

#include "command/command_base.h"

namespace corvane {

// Sets the zone list and the polygon isochrone options in FrmIsochrone.
class Isochrone final : public CommandBase<> {
public:
  Isochrone();

protected:
  // After the network pre-check (without the zone test), offers the map's polygon layers as
  // clip layers, the one named gClipLayerName shown first (else the first of them), and shows
  // the dialog.
  void click() override;
};

} // namespace corvane
