#include "com/error_info.h"

#include <utility>

extern "C" std::string* corvane_com_error_info() {
  thread_local std::string text;
  return &text;
}

namespace com {

void SetErrorInfo(std::string text) {
  *corvane_com_error_info() = std::move(text);
}

std::string TakeErrorInfo() {
  return std::exchange(*corvane_com_error_info(), std::string());
}

} // namespace com
