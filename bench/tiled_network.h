#pragma once

// Networks for the benchmarks: the sample network, and larger ones made of copies of it laid
// side by side and joined at their borders by short connecting links.

#include <filesystem>

namespace tamix::bench {

// A folder holding "roads.shp" (+ .shx, .dbf) and its built network files: the sample itself
// for 1 x 1, else `columns` x `rows` copies. Made once and kept under the build folder.
std::filesystem::path network_folder(int columns, int rows);

} // namespace tamix::bench
