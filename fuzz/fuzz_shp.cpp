// The two ".shp" readers on any ".shp"/".shx" pair (split_two_files: the ".shx", then the
// ".shp"): the host's, which the layers read shapes through, and the engine's, which a network
// build reads. A damaged pair may be refused (HostError, tamix::Error); nothing may crash.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <shapefil.h>

#include "data/host_error.h"
#include "data/shp_file.h"
#include "error.h"
#include "scratch_folder.h"
#include "shapefile_reader.h"

namespace {

void write(const std::filesystem::path& path, std::string_view bytes) {
  corvane::fuzz::write_bytes(path, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                             bytes.size());
}

// The engine's reader wants a table with one record per shape beside the pair.
void write_table(const std::filesystem::path& path, int records) {
  DBFHandle table = DBFCreate(path.string().c_str());
  if (!table)
    std::abort();
  DBFAddField(table, "CLASS", FTInteger, 4, 0);
  for (int record = 0; record < records; ++record)
    DBFWriteIntegerAttribute(table, record, 0, 1);
  DBFClose(table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto& folder = corvane::fuzz::scratch_folder();
  const auto files = corvane::fuzz::split_two_files(data, size);
  write(folder / "roads.shx", files.first);
  write(folder / "roads.shp", files.second);
  int records = -1;
  try {
    const host::ShpFile shapes((folder / "roads").string(), false);
    shapes.bounds();
    records = shapes.record_count();
    for (int record = 0; record < std::clamp(records, 0, 256); ++record)
      shapes.read(record);
  } catch (const host::HostError&) {
  }
  // Tables of more records cost time without reading anything new.
  if (records < 0 || records > 256)
    return 0;
  write_table(folder / "roads.dbf", records);
  try {
    tamix::read_polyline_shapefile(folder / "roads.shp");
  } catch (const tamix::Error&) {
  }
  return 0;
}
