#pragma once

#include "forms/forms.h"

namespace corvane {

// The road-class speed dialog. List1 holds one entry per road class, list position p standing
// for row p of gRoadClassSpeeds: the network opening and building fill it while the dialog is
// not shown, and every activation refills it from the table. The speed of the selected class
// shows in txtspdval, in km/h or mph as the engine's distance unit says. "&UPDATE" takes the
// entry as TypedNumber reads it (a decimal comma for the point) as the class's new speed (below
// 1 mph, or no number: the row gets 1 mph and the box shows it); "&OK" and "&CANCEL" alike update,
// save every class's mph speed into "link.spd" and close; "E&DIT" renames the selected class
// through FrmAlias and saves the alias at once. Nothing is sent to the engine: the next calculation
// sends the table.
class FrmSetSpeed : public forms::Form {
public:
  FrmSetSpeed();

  forms::ListBox List1{
      *this, "List1", {}, {.Left = 240, .Top = 360, .Width = 2415, .Height = 2400}};
  forms::Frame Frame1{*this,
                      "Frame1",
                      "Amend Road Speeds ",
                      {.Left = 2880, .Top = 120, .Width = 2055, .Height = 2055}};
  forms::Label Label1{Frame1,
                      "Label1",
                      "Current Road Speed",
                      {.Left = 120, .Top = 300, .Width = 1815, .Height = 255}};
  forms::TextBox txtspdval{
      Frame1, "txtspdval", "", {.Left = 120, .Top = 600, .Width = 1815, .Height = 315}};
  forms::OptionButton optkm{Frame1,
                            "optkm",
                            "Km per Hour",
                            false,
                            {.Left = 120, .Top = 1020, .Width = 1815, .Height = 255}};
  forms::OptionButton optmile{Frame1,
                              "optmile",
                              "Mi per Hour",
                              false,
                              {.Left = 120, .Top = 1320, .Width = 1815, .Height = 255}};
  forms::CommandButton CmdUpdate{
      Frame1, "CmdUpdate", "&UPDATE", {.Left = 120, .Top = 1620, .Width = 855, .Height = 315}};
  forms::CommandButton CmdEdit{
      Frame1, "CmdEdit", "E&DIT", {.Left = 1080, .Top = 1620, .Width = 855, .Height = 315}};
  forms::Frame Frame2{
      *this, "Frame2", "", {.Left = 2880, .Top = 2220, .Width = 2055, .Height = 615}};
  forms::CommandButton CmdOk{
      Frame2, "CmdOk", "&OK", {.Left = 120, .Top = 180, .Width = 855, .Height = 315}};
  forms::CommandButton Command1{
      Frame2, "Command1", "&CANCEL", {.Left = 1080, .Top = 180, .Width = 855, .Height = 315}};

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void show_speed();
  // False when no class is selected.
  bool update();
  void save_and_close();
  void edit_alias();
  // Selects the first entry whose text is that of entry `position`.
  void select_first_like(int position);
};

// The shared instance, made on first use.
FrmSetSpeed& gFrmSetSpeedForm();

} // namespace corvane
