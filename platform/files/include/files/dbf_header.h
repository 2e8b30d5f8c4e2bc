#pragma once

// The header of a dBASE table, read and checked against the file before anything trusts it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace files {

struct DbfField {
  std::string name; // as stored, without the zeros that fill its bytes
  char type = 'C';
  std::uint32_t width = 0;
  std::uint32_t decimals = 0;
  std::uint32_t offset = 0; // of its bytes in a record, counting the deletion flag
};

struct DbfHeader {
  std::uint32_t record_count = 0;
  std::uint32_t header_length = 0;
  std::uint32_t record_length = 0;
  std::vector<DbfField> fields;
  // The header's bytes as the file holds them: header_length of them.
  std::vector<unsigned char> bytes;

  // Where the records end: the end-of-file byte, if any, follows.
  std::uint64_t records_end() const {
    return header_length + std::uint64_t{record_count} * record_length;
  }
};

// Reads the header of the open table `descriptor` (called `file` in messages) and checks it
// against the file:
// - the field descriptors end with their mark, and the header length leaves room for them and
//   the mark (32 + 32 x fields + 1 bytes at least);
// - the record length is the deletion flag plus the fields' widths;
// - the counted records fit in the file, and at most one end-of-file byte follows them.
// Raises FileError naming the file and what is wrong. Reads only; the file is left as it is.
DbfHeader read_dbf_header(int descriptor, const std::filesystem::path& file);
DbfHeader read_dbf_header(const std::filesystem::path& file);

} // namespace files
