#pragma once

#include <string>

#include "files/folder_lock.h"

namespace corvane {

// This program's turn in a network folder (files::FolderLock): two programs working in one
// folder take turns, so that each writes and reads whole what the other left. Taken for the
// whole of a handler once the folder is known, and by the opening as soon as it knows the folder
// it opens, before it reads anything there. When the other program does not let go within the
// lock's time, the user is told so and the handler ends (ToldHandlerEnd).
class FolderTurn {
public:
  explicit FolderTurn(const std::string& folder);
  FolderTurn(const FolderTurn&) = delete;
  FolderTurn& operator=(const FolderTurn&) = delete;

private:
  files::FolderLock lock_;
};

// Whether a handler runs inside the network folder's turn. `whole_handler` for every handler
// that may read or write there; `none` for those that answer from the state in memory
// (Enabled) and for the opening, which takes its turn itself once it knows the folder.
enum class FolderTurnRule { whole_handler, none };

} // namespace corvane
