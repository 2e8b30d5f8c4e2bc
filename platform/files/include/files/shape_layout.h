#pragma once

// The layout of a shapefile's ".shp" and ".shx": a 100-byte header, the same in both, then in
// ".shp" one record per shape (a record header, then the shape) and in ".shx" one entry per
// record (its offset and content length). Lengths and offsets count 16-bit words. The file code,
// the file length and the record and index numbers are big-endian; the version, the shape type
// and the bounding box are little-endian.

#include <cstddef>
#include <cstdint>

namespace files::shape {

inline constexpr std::size_t header_bytes = 100;
// Offsets in the header.
inline constexpr std::size_t file_length_at = 24; // big-endian, in words
inline constexpr std::size_t version_at = 28;
inline constexpr std::size_t shape_type_at = 32;
inline constexpr std::size_t box_at = 36; // x min, y min, x max, y max as doubles

inline constexpr std::uint32_t file_code = 9994;
inline constexpr std::int32_t version = 1000;

// A record's number and content length; an index entry's offset and content length.
inline constexpr std::size_t record_header_bytes = 8;
inline constexpr std::size_t index_entry_bytes = 8;

// The big-endian 32-bit number at `at`, widened so that doubling a length in words to bytes
// cannot overflow.
constexpr std::uint64_t get_big(const unsigned char* at) {
  return std::uint64_t{at[0]} << 24 | std::uint64_t{at[1]} << 16 | std::uint64_t{at[2]} << 8 |
         at[3];
}

// Writes the low 32 bits of `value` at `at`, big-endian.
constexpr void put_big(unsigned char* at, std::uint64_t value) {
  for (int k = 0; k < 4; ++k)
    at[k] = static_cast<unsigned char>(value >> (24 - 8 * k));
}

} // namespace files::shape
