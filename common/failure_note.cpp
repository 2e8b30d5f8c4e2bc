#include "common/failure_note.h"

#include "network/state/handler_end.h"

namespace corvane {

void RethrowWithNote(const std::string& note) {
  try {
    throw;
  } catch (const ToldHandlerEnd&) {
    throw;
  } catch (const HostCallFailed& failed) {
    if (note.empty() || !failed.has_reason())
      throw;
    throw HostCallFailed(failed.call(), failed.code(), failed.what() + (" " + note));
  }
}

} // namespace corvane
