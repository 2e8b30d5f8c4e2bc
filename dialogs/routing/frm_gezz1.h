#pragma once

#include "forms/forms.h"

namespace corvane {

// The pick list of the gazetteer dialog: the candidate values of one search, of which the user
// chooses one. OK (also a double-click or Enter on the list) hands the chosen text and its
// position over in gGazetteerMatches[0] and gGazetteerPickIndex with gGazetteerPickState 1;
// CANCEL sets gGazetteerPickState 2. Closing it by its frame leaves the pick state as it was.
class FrmGezz1 : public forms::Form {
public:
  FrmGezz1();

  forms::Frame Frame1{
      *this, "Frame1", "Select", {.Left = 120, .Top = 120, .Width = 3855, .Height = 3135}};
  forms::Label Label1{Frame1,
                      "Label1",
                      "Multiple Records Found",
                      {.Left = 120, .Top = 240, .Width = 3615, .Height = 255}};
  forms::ListBox Gezz1List{
      Frame1, "Gezz1List", {}, {.Left = 120, .Top = 600, .Width = 3615, .Height = 2400}};
  forms::CommandButton CmbOK{
      *this, "CmbOK", "&OK", {.Left = 1560, .Top = 3360, .Width = 1095, .Height = 375}};
  forms::CommandButton CmbCancel{
      *this, "CmbCancel", "&CANCEL", {.Left = 2880, .Top = 3360, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;

private:
  void CmbOK_Click();
  void CmbCancel_Click();
};

// The shared instance, made on first use.
FrmGezz1& gFrmGezz1Form();

} // namespace corvane
