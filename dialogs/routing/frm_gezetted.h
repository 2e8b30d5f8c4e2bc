#pragma once

#include <cstdint>
#include <string>

#include "com/unknown.h"
#include "forms/forms.h"
#include "host/map.h"
#include "host/table.h"
#include "network/state/bounded_table.h"

namespace corvane {

// The gazetteer dialog: the user picks a point layer (Combo1, filled by the command from
// gLayerList) and one of its fields (Combo2), types a value (Text1; Enter = ADD) and adds the
// feature with that value as the next stop of List1; the value of a number field is read as
// TypedNumber reads it (a decimal comma for the point). A value that several features share, or
// that only part of some values matches, opens the pick list FrmGezz1. The first stop's entry
// carries "(Start)". OK hands over at least two stops (gGazetteerStops rows 1 .. count,
// gGazetteerLabels, gGazetteerStopCount, gGazetteerMode, gGazetteerHasStops 1); CANCEL sets
// gGazetteerHasStops 0. A stop without a shape closes the dialog with gGazetteerCancelled 1.
class FrmGezetted : public forms::Form {
public:
  FrmGezetted();

  forms::Frame Frame1{*this,
                      "Frame1",
                      "Layer Information",
                      {.Left = 120, .Top = 120, .Width = 4575, .Height = 1335}};
  forms::Label Label1{
      Frame1, "Label1", "Layer :", {.Left = 120, .Top = 360, .Width = 855, .Height = 255}};
  forms::ComboBox Combo1{
      Frame1, "Combo1", forms::ComboStyle::DropdownCombo,
      {},     "",       {.Left = 1080, .Top = 360, .Width = 3375, .Height = 315}};
  forms::Label Label2{
      Frame1, "Label2", "Field :", {.Left = 120, .Top = 840, .Width = 855, .Height = 255}};
  forms::ComboBox Combo2{
      Frame1, "Combo2", forms::ComboStyle::DropdownCombo,
      {},     "",       {.Left = 1080, .Top = 840, .Width = 3375, .Height = 315}};
  forms::Frame Frame2{*this,
                      "Frame2",
                      "Route Information",
                      {.Left = 120, .Top = 1560, .Width = 4575, .Height = 3495}};
  forms::TextBox Text1{
      Frame2, "Text1", "", {.Left = 120, .Top = 360, .Width = 3015, .Height = 315}};
  forms::CommandButton CmdAdd{
      Frame2, "CmdAdd", "&ADD", {.Left = 3240, .Top = 360, .Width = 1215, .Height = 375}};
  forms::ListBox List1{
      Frame2, "List1", {}, {.Left = 120, .Top = 840, .Width = 3015, .Height = 2055}};
  forms::CommandButton CmdDelete{
      Frame2, "CmdDelete", "&DELETE", {.Left = 3240, .Top = 840, .Width = 1215, .Height = 375}};
  forms::OptionButton OptRoute{
      Frame2, "OptRoute", "Route", true, {.Left = 240, .Top = 3000, .Width = 1215, .Height = 255}};
  forms::OptionButton OptOptimise{Frame2,
                                  "OptOptimise",
                                  "Optimize",
                                  false,
                                  {.Left = 1680, .Top = 3000, .Width = 1215, .Height = 255}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 2160, .Top = 5160, .Width = 1215, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 3480, .Top = 5160, .Width = 1215, .Height = 375}};

protected:
  void Form_Load() override;
  void Form_Activate() override;

private:
  void Combo1_Click();
  void Combo2_Click();
  void CmdAdd_Click();
  void CmdDelete_Click();
  void CmdOk_Click();
  void CmdCancel_Click();

  com::ComPtr<host::HostFeatureClass> chosen_class();
  // The host type of the field Combo2 names (-1 when the layer has no such field).
  int chosen_field_type();
  // Fills the pick list with the candidates of `value`; false, after its message, when there
  // are none. `exact_ids` are the features whose value equals it.
  bool list_candidates(host::HostFeatureClass& features, const std::vector<std::int32_t>& exact_ids,
                       const std::string& value, int field);
  // Adds feature `id` as the next stop; false when the dialog had to close or refuse it.
  bool add_stop(host::HostFeatureClass& features, std::int32_t id, int field);
  // True, after saying so, when the chosen layer offers no field to look a stop up in.
  bool refuse_without_fields();
  void update_buttons();

  std::int32_t stop_count_ = 0;
  // The node each stop snapped to, for the same-location checks only: the command snaps the
  // stops again itself.
  BoundedTable<std::int32_t> stop_nodes_{3000};
  // The candidate features of the last search, in the order of the pick list.
  BoundedTable<std::int32_t> match_ids_{5000};
  int field_type_ = 0;
  bool fields_filled_ = false;
  com::ComPtr<host::HostMap> map_;
  std::int32_t layer_map_index_ = -2;
};

// The shared instance, made on first use.
FrmGezetted& gFrmGezettedForm();

} // namespace corvane
