#pragma once

#include <string>
#include <string_view>

#include "forms/forms.h"

namespace corvane {

// The "All" / "Select" choice of the open-road and default-speed tools. Each showing starts
// gDefRoadChoice empty; a button sets it to "All" or "Select" and closes the dialog, so a dialog
// closed by its frame leaves it empty. One value serves both tools: the latest answer counts.
class FrmDefRoadSp : public forms::Form {
public:
  FrmDefRoadSp();

  forms::Frame Frame1{*this, "Frame1", "", {.Left = 120, .Top = 60, .Width = 2895, .Height = 855}};
  forms::CommandButton CmdAll{
      Frame1, "CmdAll", "&All", {.Left = 240, .Top = 300, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdSelect{
      Frame1, "CmdSelect", "&Select", {.Left = 1560, .Top = 300, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;

private:
  void choose(std::string_view choice);
};

// The shared instance, made on first use.
FrmDefRoadSp& gFrmDefRoadSpForm();

// The choice values.
inline constexpr std::string_view ChoiceAll = "All";
inline constexpr std::string_view ChoiceSelect = "Select";

// Shows the choice modally under `caption` and returns the answer (gDefRoadChoice).
std::string AskAllOrSelect(std::string caption);

} // namespace corvane
