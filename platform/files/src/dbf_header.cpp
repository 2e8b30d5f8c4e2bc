#include "files/dbf_header.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/all_bytes.h"
#include "files/dbf_layout.h"
#include "files/file_error.h"

namespace files {

namespace {

std::uint32_t little_endian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int k = count - 1; k >= 0; --k)
    value = value << 8 | bytes[k];
  return value;
}

std::size_t read_at(int descriptor, unsigned char* data, std::size_t size, std::uint64_t at,
                    const std::filesystem::path& file) {
  const long done = read_all_at(descriptor, data, size, at);
  if (done < 0)
    throw FileError(file, std::string("cannot be read (") + std::strerror(errno) + ")");
  return static_cast<std::size_t>(done);
}

// A field as its descriptor gives it. Text and other non-numeric fields keep the high byte of
// a width above 255 where numbers keep their decimals, as shapefile writers store them.
DbfField field_of(const unsigned char* descriptor, std::uint32_t offset) {
  DbfField field;
  const auto* name = reinterpret_cast<const char*>(descriptor);
  field.name.assign(name, strnlen(name, dbf::name_bytes));
  field.type = static_cast<char>(descriptor[dbf::type_at]);
  const bool number = field.type == 'N' || field.type == 'F';
  field.width = descriptor[dbf::width_at];
  if (number)
    field.decimals = descriptor[dbf::decimals_at];
  else
    field.width += std::uint32_t{descriptor[dbf::decimals_at]} << 8;
  field.offset = offset;
  return field;
}

} // namespace

DbfHeader read_dbf_header(int descriptor, const std::filesystem::path& file) {
  struct stat info {};
  if (::fstat(descriptor, &info) != 0)
    throw FileError(file, std::string("cannot be read (") + std::strerror(errno) + ")");
  const auto size = static_cast<std::uint64_t>(info.st_size);

  // The descriptors' end mark lies inside the largest header a table can have.
  std::vector<unsigned char> head(
      static_cast<std::size_t>(std::min<std::uint64_t>(size, dbf::largest_length)));
  head.resize(read_at(descriptor, head.data(), head.size(), 0, file));
  if (head.size() < dbf::header_bytes)
    throw FileError(file, "is too short to be a dBASE table (" + std::to_string(size) + " bytes)");

  DbfHeader header;
  header.record_count = little_endian(&head[dbf::record_count_at], 4);
  header.header_length = little_endian(&head[dbf::header_length_at], 2);
  header.record_length = little_endian(&head[dbf::record_length_at], 2);

  std::size_t at = dbf::header_bytes;
  std::uint32_t offset = 1; // after the deletion flag
  for (;;) {
    if (at < head.size() && head[at] == dbf::descriptors_end)
      break;
    if (at + dbf::descriptor_bytes > head.size())
      throw FileError(file, "its field descriptors have no end mark");
    header.fields.push_back(field_of(&head[at], offset));
    offset += header.fields.back().width;
    at += dbf::descriptor_bytes;
  }
  const std::size_t fields = header.fields.size();
  if (header.header_length < at + 1)
    throw FileError(file, "its header length of " + std::to_string(header.header_length) +
                              " bytes leaves no room for its " + std::to_string(fields) +
                              " field descriptors (" + std::to_string(at + 1) + " bytes)");
  if (header.record_length != offset)
    throw FileError(file, "its record length of " + std::to_string(header.record_length) +
                              " bytes differs from the " + std::to_string(offset) +
                              " bytes its fields make");
  if (header.header_length > size)
    throw FileError(file, "its header of " + std::to_string(header.header_length) +
                              " bytes is longer than the file (" + std::to_string(size) +
                              " bytes)");
  const std::uint64_t end = header.records_end();
  if (end > size)
    throw FileError(file, "its header counts " + std::to_string(header.record_count) +
                              " records, but the file holds only " +
                              std::to_string((size - header.header_length) / header.record_length));
  if (size > end + 1)
    throw FileError(file, "has " + std::to_string(size - end) + " bytes after the last of its " +
                              std::to_string(header.record_count) + " records");
  if (size == end + 1) {
    unsigned char last = 0;
    if (read_at(descriptor, &last, 1, end, file) != 1 || last != dbf::file_end)
      throw FileError(file, "has a byte after its last record that is no end-of-file mark");
  }
  head.resize(header.header_length);
  header.bytes = std::move(head);
  return header;
}

DbfHeader read_dbf_header(const std::filesystem::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0)
    throw FileError(file, std::string("cannot be opened (") + std::strerror(errno) + ")");
  try {
    DbfHeader header = read_dbf_header(descriptor, file);
    ::close(descriptor);
    return header;
  } catch (...) {
    ::close(descriptor);
    throw;
  }
}

} // namespace files
