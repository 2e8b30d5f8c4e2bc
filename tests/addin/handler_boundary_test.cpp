#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <system_error>

#include "command/handler_boundary.h"
#include "forms/testing/scripted_user.h"
#include "network/state/handler_end.h"
#include "network/state/shared_state.h"

namespace corvane {
namespace {

// What ends a handler, as the user is told it at the boundary: an unforeseen failure with a box
// that names what failed and that the run did not finish, never a bare code; a file call with
// the file and the reason in words; an end already told with nothing more; a host call that
// failed without a reason with its code to the host, which names the handler and the call.
TEST(HandlerBoundary, TellsEveryFailureItWasNotToldOfInWords) {
  reset_shared_state();
  const auto no_space = std::make_error_code(std::errc::no_space_on_device);
  const struct {
    const char* what;
    std::function<void()> handler;
    com::HRESULT code;
    std::string title, text; // of the one box; none when empty
  } cases[] = {
      {"an exception of the standard library", [] { throw std::out_of_range("vector::at"); },
       com::S_OK, "Error", "An unexpected failure ended it: vector::at. The run did not finish."},
      {"something that is no exception", [] { throw 42; }, com::S_OK, "Error",
       "An unexpected failure ended it. The run did not finish."},
      {"a handler end of the add-in's", [] { throw HandlerEnd("network layer not in the map"); },
       com::S_OK, "Error", "network layer not in the map. The run did not finish."},
      {"a file call",
       [&] { throw std::filesystem::filesystem_error("copy", "/data/net/a.shp", no_space); },
       com::S_OK, "File",
       "/data/net/a.shp: there is no space left on the device; free some space, then try again. "
       "The run did not finish."},
      {"a file the host could not write",
       [] { throw HostCallFailed("Store", com::E_FAIL, "/data/net/a.dbf: cannot be written"); },
       com::S_OK, "File", "/data/net/a.dbf: cannot be written"},
      {"an end already told", [] { throw ToldHandlerEnd("refused"); }, com::S_OK, "", ""},
      {"a host call without a reason", [] { throw HostCallFailed("Map.AddLayer", com::E_FAIL); },
       com::E_FAIL, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    forms::testing::ScopedUser user;
    EXPECT_EQ(run_handler(c.handler), c.code);
    if (c.text.empty()) {
      EXPECT_TRUE(user->messages.empty());
      continue;
    }
    ASSERT_EQ(user->messages.size(), 1u);
    EXPECT_EQ(user->messages[0].title, c.title);
    EXPECT_EQ(user->messages[0].text, c.text);
    EXPECT_EQ(user->messages[0].icon, forms::Icon::Critical);
  }
}

} // namespace
} // namespace corvane
