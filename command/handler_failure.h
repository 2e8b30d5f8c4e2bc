#pragma once

#include <exception>
#include <string>

namespace corvane {

// What the user is told of the failure `failure` that ended a handler, when no step before the
// boundary told it: the reason in words where the user can act on it (a file that cannot be
// written and why, a file call of the system's, a point that cannot be placed), and otherwise
// what failed and that the run did not finish. Never a bare code. Empty for an end the user has
// been told of already (ToldHandlerEnd).
struct HandlerFailureBox {
  std::string text;
  std::string title;
};
HandlerFailureBox DescribeHandlerFailure(const std::exception_ptr& failure);

// The sentence that ends every box of a failure the handler did not foresee.
inline constexpr const char* UnfinishedRun = "The run did not finish.";

} // namespace corvane
