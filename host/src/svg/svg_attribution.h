#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace host::svg {

// The file a data folder names the attribution in that its data's licence asks for, one
// notice a line (the sample network's: "© OpenStreetMap contributors").
inline constexpr const char* attribution_file = "ATTRIBUTION.txt";

// The notices of the folders' attribution files, each once, in the order of the folders; a
// folder without the file adds none.
std::vector<std::string> attributions_of(const std::vector<std::filesystem::path>& folders);

// The notices right-aligned in the bottom-right corner, one a line, with a white halo.
void draw_attribution(std::string& out, const std::vector<std::string>& notices);

} // namespace host::svg
