#pragma once

#include "forms/forms.h"
#include "network/state/shared_state.h"

namespace corvane {

// The TSP options: how a tour starts and ends, and whether the stops are ordered by
// straight-line distances. Each showing reads the choice stored in "Corvane.ini" ([INFO]
// "TSP MODE" and "TSP STRAIGHT LINE") as the opening reads it; OK sets gTspMode and stores the
// choice; CANCEL changes nothing.
class FrmTsp : public forms::Form {
public:
  FrmTsp();

  forms::Frame Frame4{
      *this, "Frame4", "TSP Type", {.Left = 120, .Top = 120, .Width = 2895, .Height = 1455}};
  forms::OptionButton OptOpen{Frame4,
                              "OptOpen",
                              "Start-End Point",
                              true,
                              {.Left = 240, .Top = 300, .Width = 2415, .Height = 255}};
  forms::OptionButton OptClose{Frame4,
                               "OptClose",
                               "Round Trip",
                               false,
                               {.Left = 240, .Top = 660, .Width = 2415, .Height = 255}};
  forms::OptionButton OptSO{Frame4,
                            "OptSO",
                            "Start Point only",
                            false,
                            {.Left = 240, .Top = 1020, .Width = 2415, .Height = 255}};
  forms::CheckBox Check1{*this,
                         "Check1",
                         "Use Straight Line  ",
                         0,
                         {.Left = 240, .Top = 1680, .Width = 2415, .Height = 255}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 600, .Top = 2160, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 1920, .Top = 2160, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void CmdOk_Click();
  forms::OptionButton& button_of(TourKind kind);
};

// The shared instance, made on first use.
FrmTsp& gFrmTspForm();

} // namespace corvane
