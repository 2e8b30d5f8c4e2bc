#include "common/scratch_sets.h"

#include <string>
#include <vector>

#include "common/failure_note.h"
#include "common/network_workspace.h"
#include "network/state/handler_end.h"

namespace corvane {

namespace {

// Deletes every set of `names`, each whatever became of the others; what could not be deleted
// and why, as sentences, or empty.
std::string delete_each(const std::vector<std::string_view>& names) {
  std::string left;
  for (const auto name : names) {
    try {
      DeleteOwnNetworkShapefile(name);
    } catch (const HandlerEnd& failure) {
      left += (left.empty() ? "" : " ") + std::string("The scratch set ") + std::string(name) +
              " could not be removed as well: " + failure.what() + ".";
    }
  }
  return left;
}

} // namespace

void RunRemovingScratchSets(const std::vector<std::string_view>& names,
                            const std::function<void()>& body) {
  try {
    body();
  } catch (...) {
    RethrowWithNote(delete_each(names));
  }
  if (const auto left = delete_each(names); !left.empty())
    throw HostCallFailed("Delete", com::E_FAIL, left);
}

} // namespace corvane
