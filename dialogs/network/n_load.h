#pragma once

#include "forms/forms.h"

namespace corvane {

// The progress window of the engine's network work, shown without waiting. The caller sets
// the status Label2 and the caption; the engine's progress events (and the writing of the
// road classes) move ProgressBar1.
class NLoad : public forms::Form {
public:
  NLoad();

  forms::ProgressBar ProgressBar1{
      *this, "ProgressBar1", 0, 100, {.Left = 240, .Top = 600, .Width = 4215, .Height = 375}};
  forms::Label Label2{*this,
                      "Label2",
                      "Loading Topology Network.....",
                      {.Left = 240, .Top = 180, .Width = 4215, .Height = 255}};
  forms::Label Label1{*this,
                      "Label1",
                      "0               25               50              75             100",
                      {.Left = 240, .Top = 1020, .Width = 4215, .Height = 255}};

protected:
  void Form_Load() override;
};

// The shared instance, made on first use.
NLoad& gNLoadForm();

} // namespace corvane
