#include "common/stop_clicks.h"

#include "host/command.h"
#include "network/state/handler_end.h"

namespace corvane {

void StopClicks::mouse_down(host::HostApplication* application, host::HostDocument* document,
                            long button, long shift, long x, long y) {
  const auto stop = snap(document, x, y);
  if (!stop || button != host::LeftButton)
    return;
  if (shift == 0)
    start(document, *stop);
  else if (shift == host::CtrlKey)
    add_stop(document, *stop);
  else if (shift == host::ShiftKey)
    finish(application, document, *stop);
}

com::ComPtr<host::HostMap> StopClicks::focus_map(host::HostDocument* document) {
  return require(document->FocusMap(), "FocusMap");
}

com::ComPtr<host::HostActiveView> StopClicks::active_view(host::HostDocument* document) {
  return require(document->ActiveView(), "ActiveView");
}

} // namespace corvane
