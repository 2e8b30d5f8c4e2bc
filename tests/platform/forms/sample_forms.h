#pragma once

#include <string>
#include <vector>

#include "forms/forms.h"

// A choice dialog shaped like the add-in's option dialogs: two option groups in frames, a
// drop-down list, a text box, OK and Cancel. It records its form events in order.
class OptionsForm : public forms::Form {
public:
  OptionsForm() : Form("OptionsForm", {.Caption = "Route Options"}) {
    CmdOk.Click = [this] {
      chosen = OptFast.Value() ? "fast" : "short";
      Unload();
    };
    CmdCancel.Click = [this] { Unload(); };
  }

  forms::Frame Frame1{*this, "Frame1", "Route Type"};
  forms::OptionButton OptShort{Frame1, "OptShort", "Shortest", true};
  forms::OptionButton OptFast{Frame1, "OptFast", "Fastest"};
  forms::Frame Frame2{*this, "Frame2", "Distance Units"};
  forms::OptionButton RadKm{Frame2, "RadKm", "Kilometers", true};
  forms::OptionButton RadMi{Frame2, "RadMi", "Miles"};
  forms::ComboBox Combo1{*this, "Combo1", forms::ComboStyle::DropdownList, {"roads", "places"}};
  forms::TextBox Text1{*this, "Text1"};
  forms::CommandButton CmdOk{*this, "CmdOk", "&OK"};
  forms::CommandButton CmdCancel{*this, "CmdCancel", "&CANCEL"};

  std::vector<std::string> events;
  std::string chosen;
  int refuse_close = 0;

protected:
  void Form_Load() override { events.push_back("Load"); }
  void Form_Activate() override { events.push_back("Activate"); }
  void Form_QueryUnload(int& Cancel, int UnloadMode) override {
    events.push_back("QueryUnload " + std::to_string(UnloadMode));
    Cancel = refuse_close;
  }
  void Form_Unload(int&) override { events.push_back("Unload"); }
};
