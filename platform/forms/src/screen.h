#pragma once

#include <vector>

#include "forms/catalogue.h"
#include "forms/user.h"

namespace forms {

class Form;

// What the whole process shares about its screen, whichever module shows a dialog.
struct Screen {
  com::ComPtr<User> user;
  // Forms shown modally, the one on top last.
  std::vector<Form*> modal_forms;
  // Esc keys taken in from the user and not yet asked for.
  int escapes = 0;
  // The dialog classes of every module, in the order they registered.
  std::vector<FormMaker> form_makers;
};

} // namespace forms

// Every module that links this library carries a copy of the function, exported by name. The
// program exports its copy (see CMakeLists.txt), and a module loaded later binds its calls to
// the program's one, so the host and the add-in see one screen.
extern "C" __attribute__((visibility("default"))) forms::Screen* corvane_forms_screen();
