#pragma once

#include "forms/forms.h"

namespace corvane {

// The progress of the link merge, shown without waiting: ProgressBar1 counts the chains,
// Label1 shows the share done as "<percent> %".
class FrmPsdNod : public forms::Form {
public:
  FrmPsdNod();

  forms::ProgressBar ProgressBar1{
      *this, "ProgressBar1", 0, 100, {.Left = 240, .Top = 240, .Width = 4215, .Height = 375}};
  forms::Label Label1{*this, "Label1", "", {.Left = 240, .Top = 780, .Width = 4215, .Height = 255}};
};

// The shared instance, made on first use.
FrmPsdNod& gFrmPsdNodForm();

} // namespace corvane
