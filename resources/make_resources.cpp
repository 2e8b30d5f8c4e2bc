// Writes the add-in's pictures into its folder:
//   make_resources FOLDER  ->  FOLDER/Bitmaps/<id>.bmp and FOLDER/Icons/<name>.bmp
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "bmp_file.h"
#include "command_pictures.h"
#include "marker_icons.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_resources FOLDER\n";
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder / "Bitmaps");
    std::filesystem::create_directories(folder / "Icons");
    for (const auto& picture : resources::command_pictures())
      resources::write_bmp(picture.canvas,
                           folder / "Bitmaps" / (std::to_string(picture.id) + ".bmp"));
    for (const auto& icon : resources::marker_icons())
      resources::write_bmp(icon.canvas, folder / "Icons" / icon.file);
  } catch (const std::exception& error) {
    std::cerr << "make_resources: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
