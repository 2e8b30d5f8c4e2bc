#pragma once

#include "forms/forms.h"
#include "host/map.h"

namespace corvane {

// The dialog of the batch isochrones: the point layer, the field whose values label its points,
// and the mode. The command fills the layer box before it shows the dialog; the choice is left
// in the gBatchIso... globals. Only OK confirms: CANCEL and closing the window by its frame set
// gBatchIsoDialogState to 0, and the command sets it to 0 before every showing, so that a run
// never starts on the choice of an earlier showing.
class FrmBatchIsochrone : public forms::Form {
public:
  FrmBatchIsochrone();

  forms::Frame Frame1{*this,
                      "Frame1",
                      "Select Table and/or Column",
                      {.Left = 120, .Top = 120, .Width = 3855, .Height = 2535}};
  forms::Label Label1{
      Frame1, "Label1", "Table", {.Left = 120, .Top = 360, .Width = 735, .Height = 255}};
  forms::ComboBox CmdTab{Frame1, "CmdTab", forms::ComboStyle::DropdownCombo,
                         {},     "",       {.Left = 960, .Top = 360, .Width = 2775, .Height = 315}};
  forms::Label Label2{
      Frame1, "Label2", "Field", {.Left = 120, .Top = 840, .Width = 735, .Height = 255}};
  forms::ComboBox CmdFild{
      Frame1, "CmdFild", forms::ComboStyle::DropdownCombo,
      {},     "",        {.Left = 960, .Top = 840, .Width = 2775, .Height = 315}};
  forms::OptionButton RadVoronoi{Frame1,
                                 "RadVoronoi",
                                 "&Polygon  Isochrones",
                                 false,
                                 {.Left = 240, .Top = 1320, .Width = 3015, .Height = 255}};
  forms::OptionButton RadLnkIso{Frame1,
                                "RadLnkIso",
                                "&Link Isochrones",
                                false,
                                {.Left = 240, .Top = 1680, .Width = 3015, .Height = 255}};
  forms::OptionButton RadCloCen{Frame1,
                                "RadCloCen",
                                "&Nearest Center",
                                false,
                                {.Left = 240, .Top = 2040, .Width = 3015, .Height = 255}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 1560, .Top = 2760, .Width = 1095, .Height = 375}};
  forms::CommandButton CmdCancel{
      *this, "CmdCancel", "&CANCEL", {.Left = 2760, .Top = 2760, .Width = 1095, .Height = 375}};

protected:
  void Form_Activate() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
  // Rebuilds the field box from the point layer named in the layer box.
  void refresh_fields();
  // The field box is usable in the polygon and nearest-centre modes when it lists a field.
  void enable_fields(bool usable);
  void accept();

  com::ComPtr<host::HostMap> map_;
};

// gBatchIsoDialogState values.
inline constexpr std::int32_t BatchIsoCancelled = 0;
inline constexpr std::int32_t BatchIsoConfirmed = 1;
inline constexpr std::int32_t BatchIsoFieldsListed = 3;

// gBatchIsoMode values.
inline constexpr std::int32_t BatchIsoZonePolygons = 0;
inline constexpr std::int32_t BatchIsoLinkIsochrones = 1;
inline constexpr std::int32_t BatchIsoNearestCentre = 2;

// gBatchIsoNoField when the layer offers no field to copy.
inline constexpr std::int32_t BatchIsoWithoutField = 2;

// The shared instance, made on first use (one per host thread, as the shared state).
FrmBatchIsochrone& gFrmBatchIsochroneForm();

} // namespace corvane
