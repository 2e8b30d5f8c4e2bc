#pragma once

#include <memory>

#include "com/unknown.h"
#include "data/table_context.h"
#include "host/cursor.h"

namespace host {

enum class CursorMode { search, update, insert };

// A cursor over the rows of `table` that pass `filter` (search and update), or an insert
// cursor. It answers as HostCursor and as HostFeatureCursor.
com::ComPtr<com::IUnknown> make_cursor(std::shared_ptr<const TableContext> table,
                                       HostQueryFilter* filter, CursorMode mode);

} // namespace host
