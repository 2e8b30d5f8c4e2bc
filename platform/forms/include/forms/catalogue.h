#pragma once

#include <memory>
#include <vector>

#include "forms/form.h"

namespace forms {

// Makes a new, never loaded instance of one dialog class.
using FormMaker = std::unique_ptr<Form> (*)();

// The dialogs of every module loaded into the process, for listings generated from their
// definitions (gishost --forms). Each dialog's source file registers its class once:
//   const forms::RegisteredForm<FrmError> registered;
// A module stays loaded for the life of the process, so the makers stay valid.
void register_form(FormMaker maker);
std::vector<FormMaker> registered_forms();

template <class F> struct RegisteredForm {
  RegisteredForm() {
    register_form([]() -> std::unique_ptr<Form> { return std::make_unique<F>(); });
  }
};

} // namespace forms
