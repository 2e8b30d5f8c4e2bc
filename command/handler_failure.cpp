#include "command/handler_failure.h"

#include <cstdio>
#include <filesystem>
#include <new>

#include "files/file_error.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

std::string unfinished(const std::string& what) {
  return what + ". " + UnfinishedRun;
}

std::string code_text(com::HRESULT code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

} // namespace

HandlerFailureBox DescribeHandlerFailure(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const ToldHandlerEnd&) {
    return {};
  } catch (const HostCallFailed& failed) {
    // A file that could not be written or read: which, why and what to do.
    if (failed.has_reason())
      return {failed.what(), "File"};
    return {unfinished("The call " + failed.call() + " failed (error " + code_text(failed.code()) +
                       ")"),
            "Error"};
  } catch (const HandlerEnd& end) {
    return {unfinished(end.what()), "Error"};
  } catch (const std::filesystem::filesystem_error& error) {
    const auto file = error.path1().empty() ? std::string("A file") : error.path1().string();
    return {file + ": " + files::failure_reason(error.code().value()) + ". " + UnfinishedRun,
            "File"};
  } catch (const files::FileError& error) {
    return {error.what(), "File"};
  } catch (const std::bad_alloc&) {
    return {unfinished("There is not enough memory for this run"), "Error"};
  } catch (const std::exception& error) {
    return {unfinished(std::string("An unexpected failure ended it: ") + error.what()), "Error"};
  } catch (...) {
    return {unfinished("An unexpected failure ended it"), "Error"};
  }
}

} // namespace corvane
