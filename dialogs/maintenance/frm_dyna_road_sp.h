#pragma once

#include "forms/forms.h"

namespace corvane {

// The speed entry of the set-speed tool. Each showing starts empty, in km/h, with
// gTempSpeedDialogOk 0. "&UPDATE" (or Enter in the entry) accepts a number as TypedNumber reads
// it (a decimal comma for the point) of at least 1 mph (1.6093 in km/h): gTempSpeedText holds the
// entry, gTempSpeedInKmph / gTempSpeedInMph its unit, gTempSpeedDialogOk becomes 1 and the dialog
// closes. Anything else keeps the dialog open with a message; a speed below the minimum puts the
// minimum into the entry for the user to accept. Every other way out counts as cancel.
class FrmDynaRoadSP : public forms::Form {
public:
  FrmDynaRoadSP();

  forms::Frame Frame1{*this,
                      "Frame1",
                      "Enter Speed Value",
                      {.Left = 120, .Top = 120, .Width = 3255, .Height = 1215}};
  forms::TextBox Text1{
      Frame1, "Text1", "", {.Left = 240, .Top = 360, .Width = 1335, .Height = 315}};
  forms::OptionButton optKmph{
      Frame1, "optKmph", "Kmph", true, {.Left = 1920, .Top = 300, .Width = 1095, .Height = 255}};
  forms::OptionButton optMph{
      Frame1, "optMph", "Mph", false, {.Left = 1920, .Top = 720, .Width = 1095, .Height = 255}};
  forms::CommandButton CmdUpdate{
      *this, "CmdUpdate", "&UPDATE", {.Left = 720, .Top = 1500, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 2040, .Top = 1500, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;

private:
  void CmdUpdate_Click();
};

// The shared instance, made on first use.
FrmDynaRoadSP& gFrmDynaRoadSPForm();

} // namespace corvane
