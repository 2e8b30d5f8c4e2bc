#include "svg/svg_attribution.h"

#include <algorithm>
#include <fstream>

#include "data/folder_files.h"
#include "map/view_transform.h"
#include "svg/svg_text.h"

namespace host::svg {

std::vector<std::string> attributions_of(const std::vector<std::filesystem::path>& folders) {
  std::vector<std::string> notices;
  for (const auto& folder : folders) {
    std::ifstream file(find_in_folder(folder, attribution_file));
    for (std::string line; std::getline(file, line);) {
      if (line.ends_with('\r'))
        line.pop_back();
      if (!line.empty() && std::ranges::find(notices, line) == notices.end())
        notices.push_back(line);
    }
  }
  return notices;
}

void draw_attribution(std::string& out, const std::vector<std::string>& notices) {
  if (notices.empty())
    return;
  constexpr double line_height = 14;
  const double right = ViewTransform::device_width - 6;
  double y = ViewTransform::device_height - 6 - line_height * static_cast<double>(notices.size() - 1);
  out += "<g class=\"attribution\" font-family=\"sans-serif\" font-size=\"11\" "
         "text-anchor=\"end\" fill=\"#333333\" stroke=\"#ffffff\" stroke-width=\"3\" "
         "paint-order=\"stroke\">\n";
  for (const auto& notice : notices) {
    out += "<text x=\"" + number_text(right) + "\" y=\"" + number_text(y) + "\">" +
           escape(notice) + "</text>\n";
    y += line_height;
  }
  out += "</g>\n";
}

} // namespace host::svg
