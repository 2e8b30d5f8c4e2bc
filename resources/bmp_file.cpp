#include "bmp_file.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace resources {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<std::uint8_t>(v >> shift));
}

} // namespace

void write_bmp(const Canvas& canvas, const std::filesystem::path& file) {
  constexpr std::uint32_t headers = 14 + 40;
  const auto width = static_cast<std::uint32_t>(canvas.width());
  const auto height = static_cast<std::uint32_t>(canvas.height());
  const std::uint32_t row_bytes = (width * 3 + 3) / 4 * 4;
  const std::uint32_t image_bytes = row_bytes * height;

  std::vector<std::uint8_t> out;
  out.reserve(headers + image_bytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, headers + image_bytes);
  put32(out, 0);
  put32(out, headers);
  put32(out, 40);
  put32(out, width);
  put32(out, height); // positive: rows run bottom-up
  put16(out, 1);      // planes
  put16(out, 24);     // bits per pixel
  put32(out, 0);      // no compression
  put32(out, image_bytes);
  put32(out, 2835); // 72 dpi, in pixels per metre
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
  for (int y = canvas.height() - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Rgb p = canvas.pixel(x, y);
      out.push_back(p.b);
      out.push_back(p.g);
      out.push_back(p.r);
    }
    for (std::uint32_t pad = width * 3; pad < row_bytes; ++pad)
      out.push_back(0);
  }

  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!stream.flush())
    throw std::runtime_error("cannot write " + file.string());
}

} // namespace resources
