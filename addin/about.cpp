#include "addin/about.h"

#include <cstdint>
#include <string>

#include "com/create.h"
#include "forms/message_box.h"
#include "network/state/handler_end.h"
#include "tamix/net_base.h"
#include "tamix/net_calc.h"

namespace corvane {
namespace {

// A fresh engine object of its own; a failed creation ends the handler with its code.
template <com::Interface I> com::ComPtr<I> create_engine_object(std::string_view prog_id) {
  com::ComPtr<com::IUnknown> object;
  check_call(com::CreateObject(prog_id, object), prog_id);
  return require_as<I>(object, prog_id);
}

} // namespace

About::About()
    : CommandBase({.Caption = "About Corvane",
                   .Name = "About Corvane",
                   .Tooltip = "About Corvane",
                   .Message = "About Corvane",
                   .BitmapId = 7034},
                  KeepOnCreate::ApplicationOnly) {}

void About::click() {
  // A pair of its own, so the about box never disturbs the network the add-in has loaded.
  const auto net_base = create_engine_object<tamix::NetBase>(tamix::NetBaseProgId);
  const auto net_calc = create_engine_object<tamix::NetCalc>(tamix::NetCalcProgId);
  net_calc->SetNet(net_base->GetIdentifier());
  std::int32_t result = 0;
  // The engine has no window of its own: it hands over the text of its about box.
  const std::string text = net_base->AboutCV(1, result);
  forms::MsgBox(text, "About Corvane", forms::Icon::Information);
}

} // namespace corvane
