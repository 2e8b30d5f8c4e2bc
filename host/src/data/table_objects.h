#pragma once

#include <memory>

#include "com/unknown.h"
#include "data/table_context.h"
#include "host/table.h"

namespace host {

// The object of a dataset: a feature class (also a table) when it has shapes, else a table.
com::ComPtr<HostTable> make_table_object(std::shared_ptr<const TableContext> table);

} // namespace host
