#include "common/show_message.h"

#include "network/state/shared_state.h"

namespace corvane {

forms::Answer show_message(std::string_view text, std::string_view title, forms::Icon icon,
                           forms::Buttons buttons) {
  auto& state = shared_state();
  state.gMsgAnswer = forms::MsgBox(text, title, icon, buttons);
  return state.gMsgAnswer;
}

} // namespace corvane
