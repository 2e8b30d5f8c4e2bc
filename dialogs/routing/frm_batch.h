#pragma once

#include "dialogs/answer_form.h"
#include "forms/forms.h"
#include "host/map.h"

namespace corvane {

// The layer dialog of the time-distance table: a from and a to point layer, the field that
// labels each layer's points, and the two options. The command fills both table boxes with the
// layers of gLayerList before it shows the dialog; the choice is left in the gBatchRoute...
// globals. OK needs a label field on both sides; CANCEL, and closing the window by its frame,
// set gBatchRouteCancelled to 1.
class FrmBatch : public AnswerForm {
public:
  FrmBatch();

  forms::Frame Frame1{*this,
                      "Frame1",
                      "Batch Route Setup",
                      {.Left = 120, .Top = 120, .Width = 3375, .Height = 3975}};
  forms::Frame Frame2{
      Frame1, "Frame2", "From", {.Left = 120, .Top = 240, .Width = 3135, .Height = 1335}};
  forms::Label Label1{
      Frame2, "Label1", "Table", {.Left = 120, .Top = 360, .Width = 855, .Height = 255}};
  forms::ComboBox CmbFtable{
      Frame2, "CmbFtable", forms::ComboStyle::DropdownList,
      {},     "",          {.Left = 960, .Top = 360, .Width = 2055, .Height = 315}};
  forms::Label Label2{
      Frame2, "Label2", "Field", {.Left = 120, .Top = 840, .Width = 855, .Height = 255}};
  forms::ComboBox CmbFField{
      Frame2, "CmbFField", forms::ComboStyle::DropdownList,
      {},     "",          {.Left = 960, .Top = 840, .Width = 2055, .Height = 315}};
  forms::Frame Frame3{
      Frame1, "Frame3", "To", {.Left = 120, .Top = 1680, .Width = 3135, .Height = 1335}};
  forms::Label Label3{
      Frame3, "Label3", "Table", {.Left = 120, .Top = 360, .Width = 855, .Height = 255}};
  forms::ComboBox CmbTtable{
      Frame3, "CmbTtable", forms::ComboStyle::DropdownList,
      {},     "",          {.Left = 960, .Top = 360, .Width = 2055, .Height = 315}};
  forms::Label Label4{
      Frame3, "Label4", "Field", {.Left = 120, .Top = 840, .Width = 855, .Height = 255}};
  forms::ComboBox CmbToField{
      Frame3, "CmbToField", forms::ComboStyle::DropdownList,
      {},     "",           {.Left = 960, .Top = 840, .Width = 2055, .Height = 315}};
  forms::CheckBox Check1{Frame1,
                         "Check1",
                         "Build Route Objects",
                         0,
                         {.Left = 240, .Top = 3240, .Width = 2055, .Height = 255}};
  forms::CheckBox Check2{Frame1,
                         "Check2",
                         "Calculate Both ways",
                         0,
                         {.Left = 240, .Top = 3600, .Width = 3015, .Height = 255}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 1200, .Top = 4200, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 2400, .Top = 4200, .Width = 1095, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void choose_from_table();
  void choose_to_table();
  void accept();

  com::ComPtr<host::HostMap> map_;
};

// The shared instance, made on first use (one per host thread, as the shared state).
FrmBatch& gFrmBatchForm();

} // namespace corvane
