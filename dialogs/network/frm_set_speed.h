#pragma once

#include "forms/forms.h"

namespace corvane {

// The road-class speed dialog, as far as the network opening and building use it: List1 holds
// one entry per road class while the dialog is not shown, list position p standing for row p of
// gRoadClassSpeeds.
class FrmSetSpeed : public forms::Form {
public:
  FrmSetSpeed();

  forms::ListBox List1{
      *this, "List1", {}, {.Left = 240, .Top = 360, .Width = 2415, .Height = 2400}};

protected:
  void Form_Load() override;
};

// The shared instance, made on first use.
FrmSetSpeed& gFrmSetSpeedForm();

} // namespace corvane
