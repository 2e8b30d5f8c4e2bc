// The record of a set being replaced together ("NAME.replacing") on any bytes, beside a whole
// old set, the new set's temporaries and a file of another set: the look at the set follows the
// record or refuses it. Whatever the bytes, the file of the other set is never touched and
// nothing crashes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "files/file_error.h"
#include "files/replace_file.h"
#include "files/replace_together.h"
#include "scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fs = std::filesystem;
  using corvane::fuzz::scratch_folder;
  using corvane::fuzz::write_bytes;
  const auto folder = scratch_folder() / "record";
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(folder);
  const std::uint8_t old_bytes[] = {'o', 'l', 'd'};
  const std::uint8_t new_bytes[] = {'n', 'e', 'w'};
  for (const char* name : {"set.shp", "set.shx", "set.dbf", "other.shp", "Corvane.ini"})
    write_bytes(folder / name, old_bytes, sizeof old_bytes);
  for (const char* name : {"set.shp", "set.shx", "set.dbf"})
    write_bytes(files::temporary_path(folder / name), new_bytes, sizeof new_bytes);
  write_bytes(folder / "set.replacing", data, size);
  try {
    files::finish_replacement(folder / "set.shp");
  } catch (const files::FileError&) {
  }
  for (const char* name : {"other.shp", "Corvane.ini"})
    if (fs::file_size(folder / name, ignored) != sizeof old_bytes)
      std::abort(); // a record reached beyond its own set
  return 0;
}
