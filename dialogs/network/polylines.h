#pragma once

#include <cstdint>

#include "forms/forms.h"

namespace corvane {

// The one-choice dialogs of the network opening and building: the caller sets the caption and
// the prompt Label1, fills Combo1 and shows the dialog modally, then reads the choice from the
// shared state: gPickedName (the chosen text, empty after Cancel) and the list position.
//
// Combo1 is a drop-down list: only one of its items can be chosen, never a typed text, and OK
// without a chosen item leaves the dialog open. Closing the dialog by its frame is a Cancel.
class ChoiceDialog : public forms::Form {
public:
  forms::Label Label1{*this, "Label1", "", {.Left = 240, .Top = 240, .Width = 4095, .Height = 255}};
  forms::ComboBox Combo1{*this, "Combo1", forms::ComboStyle::DropdownList,
                         {},    "",       {.Left = 240, .Top = 600, .Width = 4095, .Height = 315}};
  forms::CommandButton CmdOk{
      *this, "CmdOk", "&OK", {.Left = 1200, .Top = 1200, .Width = 1215, .Height = 375}};
  forms::CommandButton Command1{
      *this, "Command1", "&CANCEL", {.Left = 2640, .Top = 1200, .Width = 1215, .Height = 375}};

protected:
  // `position` is the shared variable that receives the chosen list position; the dialog sets
  // it to 0 when it is made.
  ChoiceDialog(std::string name, std::int32_t& position);

  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

private:
  std::int32_t& position_;
};

// The network layer or the distance units; the position goes to gPickedLayerIndex.
class Polylines : public ChoiceDialog {
public:
  Polylines();
};

// The road-class (attribute) field; the position goes to gPickedFieldIndex.
class Polylines1 : public ChoiceDialog {
public:
  Polylines1();
};

// The shared instances, made on first use (one per host thread, as the shared state).
Polylines& gPolylinesForm();
Polylines1& gPolylines1Form();

} // namespace corvane
