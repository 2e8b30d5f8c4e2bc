#pragma once

#include <stdexcept>

namespace host::session {

// A session line that cannot be carried out; its message is the transcript's WHAT.
class SessionError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

} // namespace host::session
