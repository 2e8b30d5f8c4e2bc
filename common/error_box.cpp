#include "common/error_box.h"

#include "common/show_message.h"
#include "network/state/handler_end.h"

namespace corvane {

void RunWithErrorBox(const std::function<void()>& work) {
  try {
    work();
  } catch (const ToldHandlerEnd&) {
  } catch (const HandlerEnd& failure) {
    show_message(failure.what(), "Error", forms::Icon::Critical);
  }
}

} // namespace corvane
