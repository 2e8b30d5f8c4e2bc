#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace files::test {

using Bytes = std::vector<unsigned char>;

inline void write_bytes(const std::filesystem::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes read_bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void put_le(Bytes& bytes, std::size_t at, std::uint32_t value, int count) {
  for (int k = 0; k < count; ++k)
    bytes[at + static_cast<std::size_t>(k)] = static_cast<unsigned char>(value >> (8 * k));
}

inline void put_be(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int k = 0; k < 4; ++k)
    bytes[at + static_cast<std::size_t>(k)] = static_cast<unsigned char>(value >> (8 * (3 - k)));
}

} // namespace files::test
