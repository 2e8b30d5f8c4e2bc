#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>

#include "com/hresult.h"

namespace host::session {

// A session line that cannot be carried out; its message is the transcript's WHAT.
class SessionError : public std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A result code as the transcript shows it: "0x80004005".
inline std::string code_text(com::HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

} // namespace host::session
