#include "command/command_bitmap.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <string>

#include "network/state/handler_end.h"
#include "win/paths.h"

namespace corvane {
namespace {

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

long next_handle() {
  static std::atomic<long> last{0};
  return ++last;
}

} // namespace

CommandBitmap::CommandBitmap(std::vector<std::uint8_t> bytes, int width, int height)
    : bytes_(std::move(bytes)), width_(width), height_(height), handle_(next_handle()) {}

CommandBitmap CommandBitmap::load(std::string_view addin_folder, int id) {
  const std::string path = win::join_path(addin_folder, "Bitmaps/" + std::to_string(id) + ".bmp");
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw HandlerEnd("bitmap " + std::to_string(id) + " not found: " + path);
  std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};

  const auto bad = [&](std::string_view why) {
    return HandlerEnd("bitmap " + path + " " + std::string(why));
  };
  constexpr std::size_t headers = 14 + 40;
  if (bytes.size() < headers || bytes[0] != 'B' || bytes[1] != 'M')
    throw bad("is no bitmap");
  if (read32(bytes, 2) != bytes.size())
    throw bad("has the wrong size");
  const auto width = static_cast<std::int32_t>(read32(bytes, 18));
  const auto height = static_cast<std::int32_t>(read32(bytes, 22));
  const auto bits = read16(bytes, 28);
  if (width <= 0 || height == 0 || read32(bytes, 30) != 0)
    throw bad("is not an uncompressed bitmap");
  if (bits != 24 && bits != 32)
    throw bad("has an unsupported pixel depth");
  const std::uint64_t row = (static_cast<std::uint64_t>(width) * bits / 8 + 3) / 4 * 4;
  const std::uint64_t rows =
      static_cast<std::uint64_t>(height < 0 ? -std::int64_t{height} : height);
  if (read32(bytes, 10) + row * rows > bytes.size())
    throw bad("is cut short");
  return CommandBitmap(std::move(bytes), width, static_cast<int>(rows));
}

} // namespace corvane
