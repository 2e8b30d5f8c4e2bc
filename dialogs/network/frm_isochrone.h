#pragma once

#include "forms/forms.h"

namespace corvane {

// The isochrone options dialog: the zone list and the polygon isochrone options.
//
// The dialog keeps no copy of the zones: list row r stands for zone r + 1, and every edit (Add,
// Delete, UPDATE or Enter in the limit box) goes straight into gZoneValues, so the tools see it
// at once, also when the dialog is then cancelled. The limit box takes a number as TypedNumber
// reads it (a decimal comma for the point); text that is no number, like a negative limit, is
// refused with "Enter positive value". The overlap box and a pick in the clip-layer
// list take effect at once too. OK checks that the limits ascend, stores the polygon options and
// gZoneMax and rewrites [ISOCHRONE] of "Corvane.ini" whole; CANCEL only closes. Every showing
// reads the zones back from the file.
//
// The command that shows it fills ClipCombo with the map's polygon layers first; the network
// opening and building only list the zones (ListZones) without showing it.
class FrmIsochrone : public forms::Form {
public:
  FrmIsochrone();

  forms::Frame Frame1{*this,
                      "Frame1",
                      "General Isochrone Options",
                      {.Left = 120, .Top = 120, .Width = 3195, .Height = 2535}};
  forms::ListBox List1{
      Frame1, "List1", {}, {.Left = 120, .Top = 300, .Width = 1575, .Height = 2055}};
  forms::CommandButton CmdAdd{
      Frame1, "CmdAdd", "&Add Zone", {.Left = 1800, .Top = 300, .Width = 1275, .Height = 375}};
  forms::CommandButton CmdDelete{Frame1,
                                 "CmdDelete",
                                 "&Delete Zone",
                                 {.Left = 1800, .Top = 735, .Width = 1275, .Height = 375}};
  forms::Label Label1{
      Frame1, "Label1", "Step Value ", {.Left = 1800, .Top = 1170, .Width = 1275, .Height = 255}};
  forms::TextBox Text1{
      Frame1, "Text1", "", {.Left = 1800, .Top = 1710, .Width = 1275, .Height = 315}};
  forms::CommandButton CmdUpdate{
      Frame1, "CmdUpdate", "&UPDATE", {.Left = 1800, .Top = 2085, .Width = 1275, .Height = 375}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 600, .Top = 4500, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 1800, .Top = 4500, .Width = 1095, .Height = 375}};
  forms::Frame Frame2{*this,
                      "Frame2",
                      "Polygon Isochrone Options",
                      {.Left = 120, .Top = 2760, .Width = 3195, .Height = 1620}};
  forms::CheckBox Check1{Frame2,
                         "Check1",
                         "Generate Doughnut Polygons",
                         0,
                         {.Left = 120, .Top = 300, .Width = 2955, .Height = 255}};
  forms::CheckBox OverlapOpt{Frame2,
                             "OverlapOpt",
                             "Allow Overlapping",
                             0,
                             {.Left = 120, .Top = 600, .Width = 2955, .Height = 255}};
  forms::CheckBox ClipPoly{Frame2,
                           "ClipPoly",
                           "Clip Polygon Isochrone",
                           0,
                           {.Left = 120, .Top = 900, .Width = 2955, .Height = 255}};
  forms::ComboBox ClipCombo{
      Frame2, "ClipCombo", forms::ComboStyle::DropdownCombo,
      {},     "",          {.Left = 120, .Top = 1200, .Width = 2955, .Height = 315}};
  forms::Label Label2{
      Frame1, "Label2", "(Cost Units)", {.Left = 1800, .Top = 1425, .Width = 1275, .Height = 255}};

  // Adds "Zone " and the zone number for zones 1 .. gZoneCount (after clearing the list when
  // asked) and, when there is a zone, selects the first entry, so that Text1 shows its limit.
  void ListZones(bool clear_first);

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void CmdAdd_Click();
  void CmdDelete_Click();
  void CmdUpdate_Click();
  void CmdOk_Click();
  void ClipCombo_Click();
};

// The shared instance, made on first use.
FrmIsochrone& gFrmIsochroneForm();

} // namespace corvane
