#pragma once

#include <cstddef>
#include <cstdint>

namespace files {

// Writes all `size` bytes of `data` at the current position of `descriptor`, or at the offset
// `at`: an interrupted call is made again and a short write is followed by the rest, so that a
// failure is the system's own reason, never a file silently cut short. False on failure, with
// errno set (EIO when the system wrote nothing without saying why).
bool write_all(int descriptor, const void* data, std::size_t size);
bool write_all_at(int descriptor, const void* data, std::size_t size, std::uint64_t at);

// Reads up to `size` bytes at the offset `at`, calling again after an interruption or a short
// read, so that fewer bytes come back only at the end of the file. The count read, or -1 with
// errno set when the file cannot be read.
long read_all_at(int descriptor, void* into, std::size_t size, std::uint64_t at);

} // namespace files
