#pragma once

#include <string>
#include <vector>

#include "forms/forms.h"

namespace corvane {

// The problem list of the batch commands: the caller clears List1, adds one line per problem
// and shows the dialog modally only when there is at least one line.
class FrmError : public forms::Form {
public:
  FrmError();

  forms::ListBox List1{
      *this, "List1", {}, {.Left = 120, .Top = 120, .Width = 4335, .Height = 2205}};
  forms::CommandButton Command1{
      *this, "Command1", "OK", {.Left = 3240, .Top = 2400, .Width = 1095, .Height = 255}};

protected:
  void Form_Load() override;
};

// Shows `problems` in the problem list, one line each; nothing when there are none.
void ShowProblemList(const std::vector<std::string>& problems);

} // namespace corvane
