#pragma once

#include "forms/forms.h"

namespace corvane {

// The zone options dialog, as far as the network opening and building use it: its list of
// zones List1 ("Zone 1", "Zone 2", ...), where list position p stands for zone p + 1, and the
// limit box Text1 that shows the selected zone's limit.
class FrmIsochrone : public forms::Form {
public:
  FrmIsochrone();

  forms::ListBox List1{
      *this, "List1", {}, {.Left = 240, .Top = 360, .Width = 1815, .Height = 2010}};
  forms::TextBox Text1{
      *this, "Text1", "", {.Left = 2280, .Top = 360, .Width = 1215, .Height = 315}};

  // Adds "Zone " and the zone number for zones 1 .. gZoneCount (after clearing the list when
  // asked) and, when there is a zone, selects the first entry, so that Text1 shows its limit.
  void ListZones(bool clear_first);

protected:
  void Form_Load() override;
};

// The shared instance, made on first use.
FrmIsochrone& gFrmIsochroneForm();

} // namespace corvane
