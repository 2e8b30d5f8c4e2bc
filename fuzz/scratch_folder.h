#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace corvane::fuzz {

// A folder of the fuzzing process's own under the temporary folder, made on first use and
// removed at exit: targets whose code under test reads files write each input there.
const std::filesystem::path& scratch_folder();

// Replaces `path` with exactly these bytes.
void write_bytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size);

// An input that carries two files: a 2-byte little-endian length, then the first file's bytes
// (as many as the length says, or all that remain), then the second's.
struct TwoFiles {
  std::string_view first;
  std::string_view second;
};
TwoFiles split_two_files(const std::uint8_t* data, std::size_t size);

} // namespace corvane::fuzz
