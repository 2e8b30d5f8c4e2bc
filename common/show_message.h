#pragma once

#include <string_view>

#include "forms/message_box.h"

namespace corvane {

// Shows a message box and keeps the user's answer in gMsgAnswer, where the add-in's later steps
// look for the last answer; the answer is returned as well for the caller that branches on it.
forms::Answer show_message(std::string_view text, std::string_view title,
                           forms::Icon icon = forms::Icon::None,
                           forms::Buttons buttons = forms::Buttons::OKOnly);

} // namespace corvane
