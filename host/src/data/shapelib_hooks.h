#pragma once

// The file calls shapelib makes for the host, checked. shapelib leaves most of its writes
// unchecked (a ".cpg" or a header that could not be written goes unnoticed) and prints its own
// complaints on standard error; through these hooks every failing write, flush or close is kept
// with its file and reason for the host to raise, and the library's lines go to the failure it
// raises, never to standard error.

#include <shapefil.h>

#include <string>

namespace host {

// The hooks to open and create every shapefile and table with.
SAHooks* checked_hooks();

// Raises HostError::about_file naming the first file whose write, flush or close failed since
// the last call (its path, what failed and the reason in words), and forgets the failures and
// the library's lines. Quiet when none failed.
void raise_write_failure();

// The first failure kept, as raise_write_failure would name it, forgetting it; empty when none.
std::string take_write_failure();

// "PATH: cannot be opened: REASON" for a file shapelib could not open or create, with the
// reason of its open (or the library's own line when the open itself did not fail).
std::string open_failure(const std::string& path);

} // namespace host
