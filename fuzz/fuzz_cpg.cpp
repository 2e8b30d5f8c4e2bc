// A table's code page as a ".cpg" file names it, on any bytes: shapelib reads the file beside
// the table and the host turns what it names into a conversion, then converts text both ways.
// An unknown code page is read as the host's default; nothing may crash or leak.

#include <cstddef>
#include <cstdint>
#include <string>

#include "com/variant.h"

#include "data/dbf_file.h"
#include "data/host_error.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using corvane::fuzz::scratch_folder;
  const auto table = scratch_folder() / "coded.dbf";
  // A table of one text field, made once; the ".cpg" beside it changes with each input.
  static const bool made = [&] {
    host::DbfFile::create(table.string(), {{"NAME", 'C', 20, 0}}).append();
    return true;
  }();
  (void)made;
  corvane::fuzz::write_bytes(scratch_folder() / "coded.cpg", data, size);
  try {
    host::DbfFile opened(table.string(), true);
    opened.write(0, 0, com::Variant(std::string("G\xc3\xb6teborg")));
    opened.read(0, 0);
  } catch (const host::HostError&) {
  }
  return 0;
}
