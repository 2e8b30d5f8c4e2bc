#pragma once

#include <string>
#include <vector>

#include "forms/form.h"

namespace host::session {

// What a person sees of a form: `HEAD NAME "CAPTION"`, then one line per control, indented two
// blanks for each level it sits in (inside the form, inside a frame, ...):
//   KIND NAME ["CAPTION"] [= VALUE] [range MIN MAX] [items "A" "B" ...] [disabled] [hidden]
// VALUE is a quoted text (text box, combo box, a list's chosen item), a number (option 0/1,
// check box 0..2, slider and progress bar) or a colour #RRGGBB (shape, picture box).
std::vector<std::string> form_lines(const std::string& head, const forms::IForm& form);

// The names of the dialogs of the loaded modules, sorted.
std::vector<std::string> designed_form_names();

// Every dialog of the loaded modules as designed, by name, each as form_lines("form", ...)
// with an empty line between two dialogs.
std::vector<std::string> designed_forms();

} // namespace host::session
