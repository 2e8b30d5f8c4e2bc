#include "data/host_error.h"

namespace host {

std::string& last_error_message() {
  thread_local std::string message;
  return message;
}

} // namespace host
