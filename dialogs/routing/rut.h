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

// The wait window for the time of a computation: shown without waiting (the host then draws it
// once), hidden and unloaded on every way out.
class WaitWindow {
public:
  WaitWindow();
  ~WaitWindow();
  WaitWindow(const WaitWindow&) = delete;
  WaitWindow& operator=(const WaitWindow&) = delete;
};

} // namespace corvane
