#include "forms/catalogue.h"

#include "screen.h"

namespace forms {

void register_form(FormMaker maker) {
  corvane_forms_screen()->form_makers.push_back(maker);
}

std::vector<FormMaker> registered_forms() {
  return corvane_forms_screen()->form_makers;
}

} // namespace forms
