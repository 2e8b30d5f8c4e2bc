#pragma once

#include <string>

#include "data/field_mapping.h"

namespace host {

// Changes of a ".dbf"'s fields. The whole table is written anew to a temporary file beside it,
// synced and renamed over the original only when complete: until that instant the original is
// whole, and a failure leaves it byte-identical with no temporary behind. The header is checked
// against the file first. Raise HostError naming the file.

// Adds `column` after the last field; every record takes its empty value.
void add_dbf_column(const std::string& path, const DbfColumn& column);
// Removes field `index` (0-based) and its bytes from every record.
void delete_dbf_column(const std::string& path, int index);

} // namespace host
