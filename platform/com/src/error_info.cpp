#include "com/error_info.h"

#include <utility>

extern "C" com::ErrorInfo* corvane_com_error_info() {
  thread_local com::ErrorInfo info;
  return &info;
}

namespace com {

void SetErrorInfo(std::string text, ErrorInfoIs is) {
  *corvane_com_error_info() = ErrorInfo{std::move(text), is};
}

std::string TakeErrorInfo() {
  return TakeWholeErrorInfo().text;
}

ErrorInfo TakeWholeErrorInfo() {
  return std::exchange(*corvane_com_error_info(), ErrorInfo{});
}

} // namespace com
