#pragma once

#include "command/command_base.h"
#include "network/state/handler_end.h"

namespace corvane {

// A map tool whose work is all in its stop clicks (a StopClicks): choosing the tool starts a new
// run, every mouse-down goes to the clicks with the host's application and document.
template <class Clicks> class StopClickTool : public ToolBase {
protected:
  using ToolBase::ToolBase;

  void click() override { clicks_.reset(); }
  void mouse_down(long button, long shift, long x, long y) override {
    clicks_.mouse_down(application().get(), require(document(), "Document").get(), button, shift, x,
                       y);
  }

private:
  Clicks clicks_;
};

} // namespace corvane
