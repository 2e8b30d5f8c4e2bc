#include "scratch_folder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace corvane::fuzz {

namespace {

struct Scratch {
  Scratch()
      : path(std::filesystem::temp_directory_path() /
             ("corvane-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(path);
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::filesystem::path path;
};

} // namespace

const std::filesystem::path& scratch_folder() {
  static const Scratch scratch;
  return scratch.path;
}

void write_bytes(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out)
    std::abort(); // the scratch folder itself failed: no finding, a broken run
}

TwoFiles split_two_files(const std::uint8_t* data, std::size_t size) {
  const std::string_view all(reinterpret_cast<const char*>(data), size);
  if (size < 2)
    return {all, {}};
  const std::size_t length = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
  return {all.substr(2, length), all.substr(2 + length)};
}

} // namespace corvane::fuzz
