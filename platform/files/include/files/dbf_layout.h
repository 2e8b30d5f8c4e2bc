#pragma once

// The dBASE table layout of a shapefile's attribute table: a table header, one descriptor per
// field ended by a mark, then the records, each a deletion flag followed by the fields in order,
// then an end-of-file byte. Numbers in the headers are little-endian.

#include <cstddef>

namespace files::dbf {

inline constexpr std::size_t header_bytes = 32;
// Offsets in the table header.
inline constexpr std::size_t record_count_at = 4;   // 32 bits
inline constexpr std::size_t header_length_at = 8;  // 16 bits
inline constexpr std::size_t record_length_at = 10; // 16 bits

inline constexpr std::size_t descriptor_bytes = 32;
// Offsets in a field descriptor; the name fills its bytes with zeros.
inline constexpr std::size_t name_bytes = 11;
inline constexpr std::size_t type_at = 11;
inline constexpr std::size_t width_at = 16;
inline constexpr std::size_t decimals_at = 17;

inline constexpr unsigned char descriptors_end = 0x0D;
inline constexpr unsigned char file_end = 0x1A;

// Header and record lengths are 16-bit numbers.
inline constexpr std::size_t largest_length = 0xFFFF;

} // namespace files::dbf
