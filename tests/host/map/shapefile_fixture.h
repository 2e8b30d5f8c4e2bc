#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace host::testing {

// A link of a drawn network: its vertices and its "CV_RESULT" value.
struct DrawnLink {
  std::vector<std::pair<double, double>> points;
  double result = 0;
};

namespace detail {
inline void put_be32(std::string& out, std::int32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out += static_cast<char>((v >> shift) & 0xFF);
}
inline void put_le32(std::string& out, std::int32_t v) {
  for (int shift = 0; shift < 32; shift += 8)
    out += static_cast<char>((v >> shift) & 0xFF);
}
inline void put_le16(std::string& out, std::int16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
inline void put_double(std::string& out, double v) {
  char bytes[8];
  std::memcpy(bytes, &v, 8);
  out.append(bytes, 8);
}
inline std::string header(std::int32_t length_words, const double box[4]) {
  std::string h;
  put_be32(h, 9994);
  for (int i = 0; i < 5; ++i)
    put_be32(h, 0);
  put_be32(h, length_words);
  put_le32(h, 1000);
  put_le32(h, 3);
  for (int i = 0; i < 4; ++i)
    put_double(h, box[i]);
  for (int i = 0; i < 4; ++i)
    put_double(h, 0);
  return h;
}
} // namespace detail

// Writes NAME.shp/.shx/.dbf: one single-part polyline a link, with the numeric field
// "CV_RESULT" N(11,3), and a ".prj" when one is given.
inline void write_links(const std::filesystem::path& folder, const std::string& name,
                        const std::vector<DrawnLink>& links, const std::string& prj = "") {
  using namespace detail;
  double all[4] = {1e300, 1e300, -1e300, -1e300};
  std::string records, index;
  std::int32_t offset_words = 50;
  for (std::size_t i = 0; i < links.size(); ++i) {
    double box[4] = {1e300, 1e300, -1e300, -1e300};
    for (const auto& [x, y] : links[i].points) {
      box[0] = std::min(box[0], x), box[1] = std::min(box[1], y);
      box[2] = std::max(box[2], x), box[3] = std::max(box[3], y);
    }
    for (int k = 0; k < 2; ++k)
      all[k] = std::min(all[k], box[k]), all[k + 2] = std::max(all[k + 2], box[k + 2]);
    std::string content;
    put_le32(content, 3);
    for (double v : box)
      put_double(content, v);
    put_le32(content, 1);
    put_le32(content, static_cast<std::int32_t>(links[i].points.size()));
    put_le32(content, 0);
    for (const auto& [x, y] : links[i].points)
      put_double(content, x), put_double(content, y);
    const auto content_words = static_cast<std::int32_t>(content.size() / 2);
    put_be32(records, static_cast<std::int32_t>(i + 1));
    put_be32(records, content_words);
    records += content;
    put_be32(index, offset_words);
    put_be32(index, content_words);
    offset_words += 4 + content_words;
  }
  std::ofstream(folder / (name + ".shp"), std::ios::binary)
      << header(static_cast<std::int32_t>(50 + records.size() / 2), all) << records;
  std::ofstream(folder / (name + ".shx"), std::ios::binary)
      << header(static_cast<std::int32_t>(50 + index.size() / 2), all) << index;

  std::string dbf;
  dbf += '\x03';
  dbf += static_cast<char>(126), dbf += static_cast<char>(12), dbf += static_cast<char>(9);
  put_le32(dbf, static_cast<std::int32_t>(links.size()));
  put_le16(dbf, 32 + 32 + 1);
  put_le16(dbf, 1 + 11);
  dbf.append(20, '\0');
  std::string field_name = "CV_RESULT";
  field_name.resize(11, '\0');
  dbf += field_name;
  dbf += 'N';
  dbf.append(4, '\0');
  dbf += static_cast<char>(11);
  dbf += static_cast<char>(3);
  dbf.append(14, '\0');
  dbf += '\x0D';
  for (const auto& link : links) {
    char value[16];
    std::snprintf(value, sizeof value, "%11.3f", link.result);
    dbf += ' ';
    dbf += value;
  }
  dbf += '\x1A';
  std::ofstream(folder / (name + ".dbf"), std::ios::binary) << dbf;
  if (!prj.empty())
    std::ofstream(folder / (name + ".prj"), std::ios::binary) << prj;
}

} // namespace host::testing
