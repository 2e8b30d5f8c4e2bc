#pragma once

// Networks for the benchmarks: the sample network, and larger ones made of copies of it laid
// side by side and joined at their borders by short connecting links.

#include <filesystem>

namespace tamix::bench {

// A folder holding "roads.shp" (+ .shx, .dbf) and its built network files: the sample itself
// for 1 x 1, else `columns` x `rows` copies. Made once and kept under the build folder.
std::filesystem::path network_folder(int columns, int rows);

// A folder like network_folder's holding a long-extent regional network, 324 x 240 km: towns of
// short streets (a few hundred metres, so the default zone radius is short) joined by long
// country roads, 3,982 links in all. Made once from a fixed seed.
std::filesystem::path long_extent_network_folder();

} // namespace tamix::bench
