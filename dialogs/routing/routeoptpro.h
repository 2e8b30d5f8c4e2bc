#pragma once

#include <cstdint>
#include <string>

#include "forms/forms.h"

namespace corvane {

// The route options dialog: the route type (shortest or fastest), the network's distance units
// and whether directions are labelled with a text field of the network layer (the candidates
// the command put into gDescFieldCandidates). Opening it takes the route type from [INFO]
// "ROUTE TYPE" and the unit buttons set gDistUnits when clicked; CANCEL, or closing the dialog
// by its frame, gives both back the values they had before the dialog opened, since the engine
// and "Corvane.ini" only learn of a choice on OK: the next route must not report kilometres
// labelled "Miles". OK keeps every choice in the shared state and "Corvane.ini" and gives the
// engine the units.
class Routeoptpro : public forms::Form {
public:
  Routeoptpro();

  forms::Frame Frame5{
      *this, "Frame5", "", {.Left = 120, .Top = 120, .Width = 4335, .Height = 1335}};
  forms::Frame Frame1{
      Frame5, "Frame1", "Route Type", {.Left = 120, .Top = 240, .Width = 1935, .Height = 975}};
  forms::OptionButton OptShortest{Frame1,
                                  "OptShortest",
                                  "Shortest",
                                  true,
                                  {.Left = 120, .Top = 300, .Width = 1575, .Height = 255}};
  forms::OptionButton OptFirstest{Frame1,
                                  "OptFirstest",
                                  "Fastest",
                                  false,
                                  {.Left = 120, .Top = 600, .Width = 1575, .Height = 255}};
  forms::Frame Frame3{
      Frame5, "Frame3", "Distance Units", {.Left = 2220, .Top = 240, .Width = 1935, .Height = 975}};
  forms::OptionButton RadKm{Frame3,
                            "RadKm",
                            "Kilometers",
                            false,
                            {.Left = 120, .Top = 300, .Width = 1575, .Height = 255}};
  forms::OptionButton RadMi{
      Frame3, "RadMi", "Miles", false, {.Left = 120, .Top = 600, .Width = 1575, .Height = 255}};
  forms::Frame Frame2{*this,
                      "Frame2",
                      "Route Description",
                      {.Left = 120, .Top = 1560, .Width = 4335, .Height = 1095}};
  forms::OptionButton OptYes{
      Frame2, "OptYes", "Yes", false, {.Left = 120, .Top = 300, .Width = 855, .Height = 255}};
  forms::OptionButton OptNo{
      Frame2, "OptNo", "No", true, {.Left = 120, .Top = 600, .Width = 855, .Height = 255}};
  forms::ComboBox CmbFName{
      Frame2, "CmbFName", forms::ComboStyle::DropdownCombo,
      {},     "",         {.Left = 1200, .Top = 420, .Width = 2895, .Height = 315}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 2040, .Top = 2760, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 3360, .Top = 2760, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& Cancel) override;

private:
  void CmdOk_Click();
  void enable_description(bool enabled);
  void show_description_choice();
  void show_units();

  // What the dialog may change before OK, as it was when the dialog was loaded.
  std::int32_t opening_route_type_ = 0;
  std::string opening_units_;
  bool confirmed_ = false;
};

// The shared instance, made on first use.
Routeoptpro& gRouteoptproForm();

} // namespace corvane
