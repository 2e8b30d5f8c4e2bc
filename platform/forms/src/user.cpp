#include "forms/user.h"

#include "screen.h"

namespace forms {

void set_user(com::ComPtr<User> user) {
  corvane_forms_screen()->user = std::move(user);
}

com::ComPtr<User> current_user() {
  return corvane_forms_screen()->user;
}

void DoEvents() {
  auto& screen = *corvane_forms_screen();
  if (!screen.user)
    return;
  while (screen.user->EscapePressed())
    ++screen.escapes;
}

bool escape_pressed() {
  DoEvents();
  auto& screen = *corvane_forms_screen();
  if (screen.escapes == 0)
    return false;
  --screen.escapes;
  return true;
}

} // namespace forms
