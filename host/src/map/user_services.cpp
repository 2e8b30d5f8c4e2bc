#include "map/user_services.h"

namespace host {
namespace {
// Borrowed: the session owns its sink and removes it before it goes.
HostUserSink* installed_sink = nullptr;
int pointer_code = 0;
} // namespace

void set_user_sink(HostUserSink* sink) {
  installed_sink = sink;
}
HostUserSink* user_sink() {
  return installed_sink;
}
int mouse_pointer() {
  return pointer_code;
}
void set_mouse_pointer(int code) {
  pointer_code = code;
}

} // namespace host
