#pragma once

#include <cstdint>

#include "com/unknown.h"
#include "host/row.h"

namespace host {

// Rows of a table in record order. A cursor reads the files when it is opened, so it sees what
// another component wrote before that. Next returns S_OK with a row, S_FALSE with null at the
// end. Update and delete act on the row Next returned last (update cursors only); insert only
// on insert cursors. An inserted row is visible at once, buffered or not: a count or a fetch
// made right after an insert sees it (Flush and releasing the cursor finish the files).
struct HostCursor : com::IUnknown {
  COM_INTERFACE(HostCursor, com::IUnknown, "7765FD4D-F2D8-4E73-98A7-47BCFE7134CC")
  virtual com::ComPtr<HostFields> Fields() = 0;
  virtual com::HRESULT NextRow(com::ComPtr<HostRow>* out) = 0;
  virtual com::HRESULT UpdateRow(HostRow* row) = 0;
  virtual com::HRESULT DeleteRow() = 0;
  // The new row's object id goes to *id (may be null).
  virtual com::HRESULT InsertRow(HostRowBuffer* buffer, std::int32_t* id) = 0;
  virtual com::HRESULT Flush() = 0;
};

// The same over features.
struct HostFeatureCursor : com::IUnknown {
  COM_INTERFACE(HostFeatureCursor, com::IUnknown, "0FBA5DAA-F7DF-45A2-B388-6678E02C31AD")
  virtual com::ComPtr<HostFields> Fields() = 0;
  virtual com::HRESULT NextFeature(com::ComPtr<HostFeature>* out) = 0;
  virtual com::HRESULT UpdateFeature(HostFeature* feature) = 0;
  virtual com::HRESULT DeleteFeature() = 0;
  virtual com::HRESULT InsertFeature(HostFeatureBuffer* buffer, std::int32_t* id) = 0;
  virtual com::HRESULT Flush() = 0;
};
// Names under which callers know the feature cursor of a search and of an insert.
using HostSearchCursor = HostFeatureCursor;
using HostInsertCursor = HostFeatureCursor;

} // namespace host
