#pragma once

#include <filesystem>

#include "canvas.h"

namespace resources {

// Writes the picture as an uncompressed 24-bit Windows bitmap (BITMAPFILEHEADER,
// BITMAPINFOHEADER, bottom-up rows padded to four bytes). Throws std::runtime_error when the
// file cannot be written.
void write_bmp(const Canvas& canvas, const std::filesystem::path& file);

} // namespace resources
