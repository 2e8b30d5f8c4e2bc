#pragma once

#include <optional>

#include "com/unknown.h"
#include "common/snap_click.h"
#include "host/active_view.h"
#include "host/application.h"
#include "host/document.h"
#include "host/map.h"

namespace corvane {

// The clicks of a map tool that places stops one by one. Every mouse-down is snapped to the
// network first, with the tool's own pre-check; then, for the left button only, a plain click
// starts anew, Ctrl+click adds a stop and Shift+click adds the last one and runs the tool.
class StopClicks {
public:
  virtual ~StopClicks() = default;

  // The tool was chosen: a new run must start with a plain click.
  void reset() { started_ = false; }

  void mouse_down(host::HostApplication* application, host::HostDocument* document, long button,
                  long shift, long x, long y);

protected:
  // The click on the network, or nothing after the pre-check or the engine refused it.
  virtual std::optional<SnappedClick> snap(host::HostDocument* document, long x, long y) = 0;
  virtual void start(host::HostDocument* document, const SnappedClick& stop) = 0;
  virtual void add_stop(host::HostDocument* document, const SnappedClick& stop) = 0;
  virtual void finish(host::HostApplication* application, host::HostDocument* document,
                      const SnappedClick& stop) = 0;

  // The document's focus map and active view; a missing one ends the handler.
  static com::ComPtr<host::HostMap> focus_map(host::HostDocument* document);
  static com::ComPtr<host::HostActiveView> active_view(host::HostDocument* document);

  // Whether a plain click started a run that no Shift+click has finished yet.
  bool started_ = false;
};

} // namespace corvane
