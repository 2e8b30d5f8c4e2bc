#include "dialogs/checks/frm_close_node.h"

#include "common/show_message.h"
#include "common/typed_number.h"
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
  // Text that is no number is refused as an empty entry is, never read as the number it begins
  // with (or as none, which would end the command unasked).
  const auto typed = TypedNumber(DistText.Text());
  if (!typed) {
    show_message("Enter a distance value > 0", "Enter Value", forms::Icon::Exclamation);
    return;
  }
  const double distance = *typed;
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
