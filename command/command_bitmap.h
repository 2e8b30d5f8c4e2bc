#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane {

// A command's picture: the bitmap resource with its id, kept as the file "Bitmaps/<id>.bmp" of
// the add-in's folder. Each loaded picture has a handle of its own, never 0, which the host
// receives as the command's Bitmap.
class CommandBitmap {
public:
  // Throws HandlerEnd when the file is missing or is no uncompressed Windows bitmap.
  static CommandBitmap load(std::string_view addin_folder, int id);

  long handle() const { return handle_; }
  int width() const { return width_; }
  int height() const { return height_; }

private:
  CommandBitmap(std::vector<std::uint8_t> bytes, int width, int height);

  std::vector<std::uint8_t> bytes_;
  int width_;
  int height_;
  long handle_;
};

} // namespace corvane
