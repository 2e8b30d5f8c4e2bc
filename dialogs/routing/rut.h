#pragma once

#include "forms/forms.h"

namespace corvane {

// The wait window of the route tool, shown without waiting while the legs are solved. It has no
// code of its own: the tool shows and hides it.
class Rut : public forms::Form {
public:
  Rut();

  forms::Label Label1{*this,
                      "Label1",
                      "Processing Route.....",
                      {.Left = 360, .Top = 360, .Width = 2895, .Height = 255}};
};

// The shared instance, made on first use.
Rut& gRutForm();

} // namespace corvane
