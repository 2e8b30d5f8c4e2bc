#pragma once

#include "host/user_sink.h"

namespace host {

// The one user of this process's host. The session installs its sink before it runs and
// removes it after; with none installed, what the user would see goes nowhere and no key is
// ever pressed.
void set_user_sink(HostUserSink* sink);
HostUserSink* user_sink();

// The application's one mouse pointer (0 default, 2 busy, ...).
int mouse_pointer();
void set_mouse_pointer(int code);

} // namespace host
