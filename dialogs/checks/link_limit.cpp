#include "dialogs/checks/link_limit.h"

#include "common/show_message.h"
#include "common/typed_number.h"
#include "network/state/shared_state.h"

namespace corvane {

LinkLimit::LinkLimit()
    : AnswerForm("LinkLimit",
                 {.Caption = "Enter Link Limit (length)", .Width = 3735, .Height = 1950}) {
  Text1.MouseMove = [this](int, int, float, float) { enable_ok(); };
  CmdOk.Click = [this] { accept(); };
  answer_with(Cmdcan, [] { shared_state().gLinkLimitOk = 0; });
}

void LinkLimit::Form_Load() {
  Move(3000, 3000, Width(), Height());
  shared_state().gLinkLimitOk = 0;
}

void LinkLimit::Form_Activate() {
  CmdOk.SetEnabled(false);
}

void LinkLimit::Form_MouseMove(int, int, float, float) {
  enable_ok();
}

void LinkLimit::enable_ok() {
  CmdOk.SetEnabled(TypedNumber(Text1.Text()).has_value());
}

void LinkLimit::accept() {
  // The text may have changed since the mouse last moved: it is read again.
  const auto limit = TypedNumber(Text1.Text());
  if (!limit || *limit < 0) {
    show_message("Invalid Value", "Invalid Value", forms::Icon::Information);
    return;
  }
  auto& state = shared_state();
  state.gLinkLimitValue = static_cast<float>(*limit);
  state.gLinkLimitOk = 1;
  Unload();
}

LinkLimit& gLinkLimitForm() {
  thread_local LinkLimit form;
  return form;
}

namespace {
// For listings of every dialog (gishost --forms).
const forms::RegisteredForm<LinkLimit> registered_linklimit;
} // namespace

} // namespace corvane
