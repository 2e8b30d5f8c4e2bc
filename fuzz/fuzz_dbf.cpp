// The host's ".dbf" reader and writer on any bytes: open the table, read the records it holds
// (the first few hundred), then make the writes the system makes: a value into an existing
// field, an appended record, a field added and a field deleted. A damaged table may be refused
// with a HostError; nothing may crash, leak or touch memory it does not own.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "data/dbf_file.h"
#include "data/host_error.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using corvane::fuzz::scratch_folder;
  const auto path = scratch_folder() / "table.dbf";
  corvane::fuzz::write_bytes(path, data, size);
  try {
    host::DbfFile table(path.string(), true);
    const int records = std::clamp(table.record_count(), 0, 256);
    for (int record = 0; record < records; ++record)
      table.read_record(record);
    if (records > 0 && !table.columns().empty())
      table.write(0, 0, table.read(0, 0));
    table.append();
    table.add_column({.name = "CV_RESULT", .type = 'N', .width = 32, .decimals = 3});
    table.delete_column(0);
  } catch (const host::HostError&) {
  }
  return 0;
}
