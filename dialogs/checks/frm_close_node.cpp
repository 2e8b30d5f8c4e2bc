#include "dialogs/checks/frm_close_node.h"

#include <algorithm>
#include <string>

#include "com/numbers.h"
#include "common/show_message.h"
#include "network/state/shared_state.h"

namespace corvane {

FrmCloseNode::FrmCloseNode()
    : AnswerForm("FrmCloseNode",
                 {.Caption = "Enter Distance For Close Nodes", .Width = 3735, .Height = 1950}) {
  CmdOk.Click = [this] { accept(); };
  answer_with(CmdCancel, [] { shared_state().gCloseNodeOk = 0; });
}

void FrmCloseNode::Form_Load() {
  Move(3000, 3000, Width(), Height());
  shared_state().gCloseNodeOk = 0;
}

void FrmCloseNode::Form_Activate() {
  DistText.SetText("0.005");
}

void FrmCloseNode::accept() {
  std::string text = DistText.Text();
  if (text.empty()) {
    show_message("Enter a distance value > 0", "Enter Value", forms::Icon::Exclamation);
    return;
  }
  // A decimal comma is taken for the point, whatever the locale.
  std::ranges::replace(text, ',', '.');
  const double distance = com::Val(text);
  auto& state = shared_state();
  state.gCloseNodeOk = 0;
  if (distance > 0) {
    state.gCloseNodeValue = static_cast<float>(distance);
    state.gCloseNodeOk = 1;
  }
  Unload();
}

FrmCloseNode& gFrmCloseNodeForm() {
  thread_local FrmCloseNode form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<FrmCloseNode> registered_frmclosenode;
} // namespace

} // namespace corvane
