#include "files/shape_index.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "files/file_error.h"
#include "files/shape_layout.h"

namespace files {

namespace {

using namespace shape;

struct ShapeFile {
  std::uint64_t size = 0;
  std::uint64_t declared_size = 0; // from the header
};

ShapeFile checked_header(const std::filesystem::path& file, std::ifstream& in) {
  std::error_code error;
  ShapeFile result;
  result.size = std::filesystem::file_size(file, error);
  if (error || !in)
    throw FileError(file, "cannot be read");
  unsigned char header[header_bytes];
  if (result.size < header_bytes || !in.read(reinterpret_cast<char*>(header), sizeof header))
    throw FileError(file,
                    "is too short to be a shapefile (" + std::to_string(result.size) + " bytes)");
  if (get_big(header) != file_code)
    throw FileError(file, "is not a shapefile");
  result.declared_size = get_big(header + file_length_at) * 2;
  if (result.declared_size > result.size)
    throw FileError(file, "its header gives a length of " + std::to_string(result.declared_size) +
                              " bytes, but the file has " + std::to_string(result.size));
  return result;
}

} // namespace

std::uint64_t check_shape_index(const std::filesystem::path& shp,
                                const std::filesystem::path& shx) {
  std::ifstream shapes(shp, std::ios::binary);
  const ShapeFile shape_file = checked_header(shp, shapes);
  std::ifstream index(shx, std::ios::binary);
  const ShapeFile index_file = checked_header(shx, index);
  if (index_file.declared_size < header_bytes)
    throw FileError(shx, "its header gives a length shorter than the header itself");

  const std::uint64_t records = (index_file.declared_size - header_bytes) / index_entry_bytes;
  std::vector<unsigned char> entries(static_cast<std::size_t>(records * index_entry_bytes));
  if (!index.read(reinterpret_cast<char*>(entries.data()),
                  static_cast<std::streamsize>(entries.size())))
    throw FileError(shx, "cannot be read");
  for (std::uint64_t r = 0; r < records; ++r) {
    const unsigned char* entry = &entries[r * index_entry_bytes];
    const std::uint64_t offset = get_big(entry) * 2;
    const std::uint64_t length = get_big(entry + 4) * 2;
    if (offset < header_bytes || offset + record_header_bytes + length > shape_file.size)
      throw FileError(shx, "record " + std::to_string(r) + " lies outside " +
                               shp.filename().string() + " (offset " + std::to_string(offset) +
                               ", " + std::to_string(length) + " bytes, the file has " +
                               std::to_string(shape_file.size) + ")");
  }
  return records;
}

} // namespace files
